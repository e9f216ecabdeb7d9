#include "platform/profile_file/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace lumaro::platform {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("lumaro-profile-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "wangluo.ini").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_dir, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }
    void writeRaw(const std::string& content) {
        std::ofstream(m_path, std::ios::binary) << content;
    }
    std::string readRaw() const {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string read(std::string_view key, std::string_view def = {}) const {
        return readProfileString(m_path, "shuji", key, def);
    }

    fs::path m_dir;
    std::string m_path;
};

TEST_F(ProfileFileTest, AbsentKeyGivesDefaultButEmptyKeyGivesEmpty) {
    writeRaw("[shuji]\r\n服务器目录=\r\n自动连接=真\r\n");
    EXPECT_EQ(read("服务器目录", "/def"), "");
    EXPECT_EQ(read("当前IP", "-1"), "-1");
    EXPECT_EQ(read("当前IP"), "");
    EXPECT_EQ(read("自动连接"), "真");
    EXPECT_EQ(readProfileString(m_path, "other", "自动连接", "x"), "x");
}

TEST_F(ProfileFileTest, MissingFileGivesDefault) {
    EXPECT_EQ(read("本地目录", "/home"), "/home");
}

TEST_F(ProfileFileTest, NamesMatchIgnoringAsciiCaseAndBlanksAreTrimmed) {
    writeRaw("[other]\nkey=wrong\n[ SHUJI ]\n  Key  =  value with  spaces  \nkey=second\n");
    EXPECT_EQ(read("KEY"), "value with  spaces");
}

TEST_F(ProfileFileTest, LongValueIsCutTo10239Bytes) {
    const std::string longValue(20000, 'x');
    ASSERT_TRUE(writeProfileString(m_path, "shuji", "本地目录", longValue));
    EXPECT_EQ(read("本地目录"), std::string(10239, 'x'));
    EXPECT_EQ(read("absent", longValue).size(), 10239u);
}

TEST_F(ProfileFileTest, WriteCreatesFileAndSection) {
    ASSERT_TRUE(writeProfileString(m_path, "shuji", "服务器目录", "/pub/中文"));
    EXPECT_EQ(readRaw(), "[shuji]\r\n服务器目录=/pub/中文\r\n");
    EXPECT_EQ(read("服务器目录"), "/pub/中文");
}

TEST_F(ProfileFileTest, WriteKeepsEveryOtherLine) {
    const std::string before =
        "; comment\n[first]\na=1\n\n[shuji]\r\nkeep=1\r\nIP信息=old\r\nnoequals\r\n\r\n[last]\nz=9";
    writeRaw(before);
    ASSERT_TRUE(writeProfileString(m_path, "shuji", "IP信息", "new|host"));
    ASSERT_TRUE(writeProfileString(m_path, "shuji", "added", "v"));
    ASSERT_TRUE(writeProfileString(m_path, "last", "y", "8"));
    EXPECT_EQ(readRaw(),
              "; comment\n[first]\na=1\n\n[shuji]\r\nkeep=1\r\nIP信息=new|host\r\nnoequals\r\n"
              "added=v\r\n\r\n[last]\nz=9\r\ny=8\r\n");
}

TEST_F(ProfileFileTest, LineBreaksInValuesCannotInjectLines) {
    ASSERT_TRUE(writeProfileString(m_path, "shuji", "k", "a\r\n[evil]\nx=1"));
    EXPECT_EQ(read("k"), "a  [evil] x=1");
    EXPECT_EQ(readProfileString(m_path, "evil", "x", "none"), "none");
}

TEST_F(ProfileFileTest, TwoThreadsWritingDifferentKeysLoseNeither) {
    auto writer = [this](const std::string& key) {
        for (int i = 0; i < 200; ++i) {
            writeProfileString(m_path, "shuji", key, std::to_string(i));
        }
    };
    std::thread a(writer, "a"), b(writer, "b");
    a.join();
    b.join();
    EXPECT_EQ(read("a"), "199");
    EXPECT_EQ(read("b"), "199");
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        EXPECT_EQ(entry.path().filename(), "wangluo.ini") << "temporary file left behind";
    }
}

TEST_F(ProfileFileTest, DamagedFilesAreReadWithoutHarm) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 131 + 7) % 256);
    }
    const std::string enormous(3 * 1024 * 1024, 'q');
    const std::vector<std::string> contents = {
        binary,
        "[shuji\nk=unclosed header\n",
        "no equals here\n[shuji]\njust words\nk=ok\n",
        "[shuji]\n" + enormous + "\nk=after\n",
        "[shuji]\nk=" + enormous + "\n",
        std::string("[shuji]\nk=a\0b\n", 14),
        "\xFF\xFE[shuji]\nk=v\n",
    };
    const std::vector<std::string> expected = {
        "d", "unclosed header", "ok", "after", std::string(10239, 'q'), "a", "d"};
    for (std::size_t i = 0; i < contents.size(); ++i) {
        writeRaw(contents[i]);
        EXPECT_EQ(read("k", "d"), expected[i]) << "case " << i;
        EXPECT_TRUE(writeProfileString(m_path, "shuji", "k2", "v")) << "case " << i;
        EXPECT_EQ(read("k2"), "v") << "case " << i;
    }
}

TEST_F(ProfileFileTest, WriteIntoMissingDirectoryFailsQuietly) {
    const std::string path = (m_dir / "missing" / "wangluo.ini").string();
    EXPECT_FALSE(writeProfileString(path, "shuji", "k", "new"));
    EXPECT_EQ(readProfileString(path, "shuji", "k", "d"), "d");
    EXPECT_FALSE(fs::exists(m_dir / "missing"));
}

TEST_F(ProfileFileTest, PathThatIsADirectoryFailsWithoutCrash) {
    EXPECT_FALSE(writeProfileString(m_dir.string(), "shuji", "k", "v"));
    EXPECT_EQ(readProfileString(m_dir.string(), "shuji", "k", "d"), "d");
}

}  // namespace
}  // namespace lumaro::platform
