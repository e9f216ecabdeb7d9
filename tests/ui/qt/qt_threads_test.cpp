// The Qt binding used from worker threads: whole writes, batched list rows that a reader sees at
// once, user selection flowing back, access after the window is gone, and the timer rules.
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMainWindow>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <thread>

#include "platform/text/number_format.h"
#include "ui/qt/qt_fixture.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {
namespace {

using QtFromWorkers = QtWindowTest;

std::string logLine(int thread, int i) {
    return "线程" + text::formatInteger(thread) + "：文件" + text::formatInteger(i) + ".txt";
}

TEST_F(QtFromWorkers, LogLinesAndStatusTextsArriveWhole) {
    constexpr int kThreads = 2;
    constexpr int kLines = 60;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([this, t, &finished] {
            for (int i = 0; i < kLines; ++i) {
                mw().消息框.appendAtEnd(logLine(t, i) + "\r\n");
                mw().状态条1.setPartText(2, logLine(t, i));
            }
            // A worker reads back what it wrote.
            mw().状态条1.setPartText(t, "完成" + text::formatInteger(t));
            EXPECT_EQ(mw().状态条1.partText(t), "完成" + text::formatInteger(t));
            ++finished;
        });
    }
    ASSERT_TRUE(pumpUntil([&] { return finished == kThreads; }));
    for (auto& w : workers) {
        w.join();
    }
    const std::string log = mw().消息框.text();
    std::vector<int> next(kThreads, 0);
    std::size_t pos = 0;
    int lines = 0;
    while (pos < log.size()) {
        const std::size_t end = log.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        const std::string line = log.substr(pos, end - pos);
        pos = end + 2;
        bool matched = false;
        for (int t = 0; t < kThreads; ++t) {
            if (line == logLine(t, next[static_cast<std::size_t>(t)])) {
                ++next[static_cast<std::size_t>(t)];
                matched = true;
            }
        }
        ASSERT_TRUE(matched) << "split or lost line: " << line;
        ++lines;
    }
    EXPECT_EQ(lines, kThreads * kLines);
    EXPECT_EQ(ws->main.消息框.widget()->blockCount(), kThreads * kLines + 1);
}

TEST_F(QtFromWorkers, LogAppendKeepsTheUsersTextAndAddsAfterIt) {
    QPlainTextEdit* box = ws->main.消息框.widget();
    QTest::keyClicks(box, QStringLiteral("abc"));
    mw().消息框.appendAtEnd("第一行\r\n");
    EXPECT_EQ(mw().消息框.text(), "abc第一行\r\n");
}

TEST_F(QtFromWorkers, ListRowsAreSeenAtOnceByReadersAndReachTheView) {
    static constexpr int kRows = 3000;
    std::atomic<bool> done{false};
    std::thread worker([this, &done] {
        auto& list = mw().远程文件框;
        for (int i = 0; i < kRows; ++i) {
            const int row = list.addRow("文件" + text::formatInteger(i) + ".txt", 7);
            ASSERT_EQ(row, i);
            list.setCellText(row, 1, text::formatInteger(i) + ".5");
            // A read right after a write sees it, with no event loop turn in between.
            ASSERT_EQ(list.cellText(row, 1), text::formatInteger(i) + ".5");
        }
        list.setSelected(5, true);
        list.setCurrentRow(5);
        EXPECT_EQ(list.rowCount(), kRows);
        EXPECT_EQ(list.selectedRows(), (std::vector<int>{5}));
        // Column widths are the widget's own: reading one settles the pending rows first.
        list.autoSizeColumn(0);
        EXPECT_GT(list.columnWidth(0), 0);
        done = true;
    });
    ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
    worker.join();

    QTreeView* view = ws->main.远程文件框.widget();
    QAbstractItemModel* model = view->model();
    ASSERT_TRUE(pumpUntil([&] { return model->rowCount() == kRows; }));
    EXPECT_EQ(fromQString(model->index(1234, 0).data().toString()), "文件1234.txt");
    EXPECT_EQ(fromQString(model->index(1234, 1).data().toString()), "1234.5");
    EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(view->selectionModel()->isRowSelected(5, QModelIndex()));
    EXPECT_EQ(view->selectionModel()->currentIndex().row(), 5);

    // The user's own selection flows back into what the system reads.
    int changes = 0;
    mw().远程文件框.selectionChanged.subscribe([&] { ++changes; });
    view->selectionModel()->select(model->index(7, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->selectionModel()->select(model->index(9, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(mw().远程文件框.selectedRows(), (std::vector<int>{7, 9}));
    EXPECT_GE(changes, 1);

    // Removing and inserting rows moves the selection with them, in the store and the view.
    std::thread([this] {
        mw().远程文件框.removeRow(0);
        mw().远程文件框.insertRow(0, "新目录", 0);
        mw().远程文件框.insertRow(0, "新目录2", 0);
    }).join();
    EXPECT_EQ(mw().远程文件框.selectedRows(), (std::vector<int>{8, 10}));
    // The view learns of them at its next update.
    ASSERT_TRUE(pumpUntil([&] { return model->rowCount() == kRows + 1; }));
    EXPECT_TRUE(view->selectionModel()->isRowSelected(8, QModelIndex()));
    EXPECT_TRUE(view->selectionModel()->isRowSelected(10, QModelIndex()));
    EXPECT_EQ(fromQString(model->index(0, 0).data().toString()), "新目录2");

    mw().远程文件框.clear();
    EXPECT_EQ(mw().远程文件框.rowCount(), 0);
    EXPECT_TRUE(pumpUntil([&] { return model->rowCount() == 0; }));
}

TEST_F(QtFromWorkers, AccessAfterTheWindowIsDestroyedDoesNothing) {
    std::vector<std::string> seenAtClose;
    mw().window.aboutToBeDestroyed.subscribe([&] { seenAtClose.push_back(mw().上传钮.caption()); });
    mw().远程文件框.addRow("a", 0);
    mw().window.close();
    pump();
    EXPECT_EQ(seenAtClose, (std::vector<std::string>{"上传"}));
    EXPECT_FALSE(mw().window.isOpen());

    std::thread([this] {
        EXPECT_EQ(mw().上传钮.caption(), "");
        mw().上传钮.setCaption("停止");
        mw().状态条1.setPartText(0, "x");
        EXPECT_EQ(mw().状态条1.partText(0), "");
        EXPECT_EQ(mw().远程文件框.addRow("late", 0), -1);
        EXPECT_EQ(mw().远程文件框.rowCount(), 0);
        EXPECT_EQ(mw().远程文件框.columnWidth(0), 0);
        mw().消息框.appendAtEnd("late\r\n");
        EXPECT_EQ(mw().消息框.text(), "");
        mw().进度条1.setPosition(50);
        EXPECT_EQ(mw().进度条1.position(), 0);
        mw().时钟1.setPeriod(500);
        EXPECT_EQ(mw().时钟1.period(), 0);
        EXPECT_EQ(mw().window.caption(), "");
        EXPECT_EQ(mw().菜单项_连接.text(), "");
    }).join();
}

TEST_F(QtFromWorkers, ShutdownReleasesAWorkerWaitingForTheWindow) {
    std::atomic<int> calls{0};
    std::atomic<bool> stop{false};
    std::string last = "unset";
    std::thread worker([&] {
        while (!stop) {
            ++calls;
            last = mw().window.caption();  // blocks until the UI thread answers or shuts down
        }
    });
    // The UI thread does not turn its loop: the worker is (or soon will be) waiting.
    while (calls.load() == 0) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop = true;
    ws->shutdown();
    worker.join();  // would hang if the waiting call were not released
    EXPECT_EQ(last, "");
    std::thread([this] { EXPECT_EQ(mw().状态条1.partText(0), ""); }).join();
}

TEST_F(QtFromWorkers, TimerPeriodRules) {
    QTimer* timer = ws->main.时钟1.timer();
    ASSERT_NE(timer, nullptr);
    onWorker([this] { mw().时钟1.setPeriod(500); });
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_EQ(mw().时钟1.period(), 500);

    // Writing the same period does not restart it: the time left keeps running down.
    // (This can only miss a restart on a very slow machine, never fail on one.)
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const int before = timer->remainingTime();
    EXPECT_LT(before, 500);
    mw().时钟1.setPeriod(500);
    EXPECT_LE(timer->remainingTime(), before);
    EXPECT_TRUE(timer->isActive());

    mw().时钟1.setPeriod(250);  // a different period restarts with it
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 250);
    mw().时钟1.setPeriod(0);  // 0 stops
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(mw().时钟1.period(), 0);
    mw().时钟1.setPeriod(-3);
    EXPECT_FALSE(timer->isActive());

    int ticks = 0;
    mw().时钟1.tick.subscribe([&] { ++ticks; });
    mw().时钟1.setPeriod(1);
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 2; }));
    mw().时钟1.setPeriod(0);
    const int stopped = ticks;
    pump();
    EXPECT_EQ(ticks, stopped);
}

TEST_F(QtFromWorkers, ProgressPositionClamping) {
    QProgressBar* bar = ws->main.进度条1.widget();
    struct Case {
        int write;
        int stored;
        int shown;
    };
    const Case cases[] = {{57, 57, 57}, {150, 150, 100}, {-4, 0, 0}, {99999, 32767, 100}};
    for (const Case& c : cases) {
        onWorker([&] { mw().进度条1.setPosition(c.write); });
        EXPECT_EQ(mw().进度条1.position(), c.stored) << c.write;
        EXPECT_EQ(bar->value(), c.shown) << c.write;
    }
}

TEST_F(QtFromWorkers, StatusBarIndicesOutsideThePartsAreIgnored) {
    mw().状态条1.setPartText(1, "正在删除文件...");
    mw().状态条1.setPartText(3, "x");
    mw().状态条1.setPartText(-1, "y");
    EXPECT_EQ(mw().状态条1.partText(1), "正在删除文件...");
    EXPECT_EQ(mw().状态条1.partText(3), "");
    EXPECT_EQ(mw().状态条1.partText(-1), "");
}

TEST_F(QtFromWorkers, UserEventsOfTheListsCombosAndWindow) {
    auto& m = ws->main;
    int doubles = 0;
    std::pair<int, int> rightAt{-1, -1};
    std::vector<std::string> dropped;
    mw().上传文件框.doubleClicked.subscribe([&] { ++doubles; });
    mw().上传文件框.rightClicked.subscribe([&](int x, int y) { rightAt = {x, y}; });
    mw().拖放对象1.filesDropped.subscribe([&](std::vector<std::string> p) { dropped = p; });
    mw().上传文件框.addRow("a.txt", 7);
    pumpUntil([&] { return m.上传文件框.widget()->model()->rowCount() == 1; });

    QWidget* viewport = m.上传文件框.viewportWidget();
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(20, 8));
    EXPECT_EQ(doubles, 1);
    emit m.上传文件框.widget()->customContextMenuRequested(QPoint(5, 6));
    const QPoint global = viewport->mapToGlobal(QPoint(5, 6));
    EXPECT_EQ(rightAt, std::make_pair(global.x(), global.y()));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/目录/文件.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(dropped, (std::vector<std::string>{"/tmp/目录/文件.txt"}));

    // Combo box: a program selection raises nothing; the user's pick and Enter do.
    int picked = -1;
    int enters = 0;
    mw().本地目录框.itemPicked.subscribe([&](int i) { picked = i; });
    mw().本地目录框.enterPressed.subscribe([&] { ++enters; });
    mw().本地目录框.addItem("/tmp/a");
    mw().本地目录框.addItem("/tmp/b");
    EXPECT_EQ(mw().本地目录框.selectedIndex(), -1);
    EXPECT_EQ(mw().本地目录框.text(), "");
    mw().本地目录框.setSelectedIndex(1);
    EXPECT_EQ(mw().本地目录框.text(), "/tmp/b");
    EXPECT_EQ(picked, -1);
    // The user picks item 0 from the list.
    m.本地目录框.widget()->setCurrentIndex(0);
    emit m.本地目录框.widget()->activated(0);
    EXPECT_EQ(picked, 0);
    EXPECT_EQ(mw().本地目录框.text(), "/tmp/a");
    QTest::keyClick(m.本地目录框.widget()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    QTest::keyClicks(m.本地目录框.widget()->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(mw().本地目录框.selectedIndex(), -1) << "typing deselects";
    EXPECT_EQ(mw().本地目录框.text(), "/tmp/ax");
    mw().本地目录框.setSelectedIndex(0);
    mw().本地目录框.removeItem(0);
    EXPECT_EQ(mw().本地目录框.selectedIndex(), -1);
    EXPECT_EQ(mw().本地目录框.text(), "/tmp/a");

    int ftpEnters = 0;
    mw().FTP目录框.enterPressed.subscribe([&] { ++ftpEnters; });
    QTest::keyClick(m.FTP目录框.widget(), Qt::Key_Return);
    EXPECT_EQ(ftpEnters, 1);

    // Resizing the window reports the new client size.
    std::pair<int, int> size{0, 0};
    mw().window.sizeChanged.subscribe([&](int w, int h) { size = {w, h}; });
    ws->mainFrame()->resize(800, 640);
    pump();
    EXPECT_EQ(size.first, 800);
    EXPECT_EQ(size, std::make_pair(mw().window.clientWidth(), mw().window.clientHeight()));
    EXPECT_EQ(m.状态条1.widget()->geometry().bottom() + 1, size.second);
}

}  // namespace
}  // namespace lumaro::ui::qt
