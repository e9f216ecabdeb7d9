#include "platform/ftp_session/ftp_reply.h"

#include <gtest/gtest.h>

#include <string>

namespace lumaro::ftp_session {
namespace {

using Status = ReplyFramer::Status;

// Feeds `bytes` in pieces of `piece` bytes and collects every complete reply.
std::vector<FtpReply> frame(const std::string& bytes, std::size_t piece, Status& last) {
    ReplyFramer framer;
    std::vector<FtpReply> replies;
    FtpError error;
    last = Status::NeedMore;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        framer.feed(bytes.substr(i, piece));
        FtpReply reply;
        while ((last = framer.next(reply, error)) == Status::Ready) {
            replies.push_back(reply);
        }
        if (last == Status::Failed) {
            break;
        }
    }
    return replies;
}

TEST(ReplyFramer, FramesRealRepliesWhateverThePieces) {
    // vsftpd's FEAT, then a 150 and its 226 together, then a bare-LF reply.
    const std::string bytes =
        "211-Features:\r\n EPRT\r\n EPSV\r\n MDTM\r\n PASV\r\n REST STREAM\r\n SIZE\r\n"
        " TVFS\r\n211 End\r\n"
        "150 Opening BINARY mode data connection for a.txt (5 bytes).\r\n"
        "226 Transfer complete.\r\n"
        "220 ok\n";
    for (std::size_t piece : {1u, 2u, 7u, 4096u}) {
        Status last;
        std::vector<FtpReply> replies = frame(bytes, piece, last);
        ASSERT_EQ(replies.size(), 4u) << "piece " << piece;
        EXPECT_EQ(replies[0].code, 211);
        EXPECT_EQ(replies[0].lines.size(), 9u);
        EXPECT_EQ(replies[1].code, 150);
        EXPECT_EQ(replies[2].code, 226);
        EXPECT_EQ(replies[2].lastText(), "Transfer complete.");
        EXPECT_EQ(replies[3].code, 220);
        EXPECT_EQ(last, Status::NeedMore);
    }
}

TEST(ReplyFramer, MultiLineEndsOnlyOnItsOwnCodeWithSpace) {
    // Inner lines that look like other codes do not end the reply (RFC 959 4.2).
    Status last;
    std::vector<FtpReply> replies =
        frame("230-Welcome\r\n230-still\r\n220 not the end\r\n230 Login ok.\r\n", 4096, last);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].code, 230);
    EXPECT_EQ(replies[0].lines.size(), 4u);
}

TEST(ReplyFramer, RejectsBrokenReplies) {
    struct Case {
        const char* name;
        std::string bytes;
        FtpErrorKind kind;
    };
    const Case cases[] = {
        {"garbage", "hello there\r\n", FtpErrorKind::ReplyMalformed},
        {"code too small", "099 what\r\n", FtpErrorKind::ReplyMalformed},
        {"code too large", "600 what\r\n", FtpErrorKind::ReplyMalformed},
        {"two digits", "22 ok\r\n", FtpErrorKind::ReplyMalformed},
        {"huge line", "220 " + std::string(1 << 20, 'x'), FtpErrorKind::ReplyTooLong},
        {"endless",
         [] {
             std::string s = "220-start\r\n";
             while (s.size() < (1 << 20))
                 s += "220-more and more\r\n";
             return s;
         }(),
         FtpErrorKind::ReplyTooLong},
    };
    for (const Case& c : cases) {
        ReplyFramer framer;
        framer.feed(c.bytes);
        FtpReply reply;
        FtpError error;
        EXPECT_EQ(framer.next(reply, error), Status::Failed) << c.name;
        EXPECT_EQ(error.kind, c.kind) << c.name;
        // A failed framer stays failed.
        framer.feed("220 ok\r\n");
        EXPECT_EQ(framer.next(reply, error), Status::Failed) << c.name;
    }
}

TEST(PassiveReplies, PasvPortIsRangeChecked) {
    struct Case {
        const char* text;
        std::optional<std::uint16_t> port;
    };
    const Case cases[] = {
        {"Entering Passive Mode (127,0,0,1,195,80).", 50000},
        {"Entering Passive Mode (10,1,2,3,4,1)", 1025},  // the address is never used
        {"Entering Passive Mode 192,168,1,2,19,137", 5001},
        {"=127,0,0,1,0,21", 21},
        {"Entering Passive Mode (127,0,0,1,256,1)", std::nullopt},
        {"Entering Passive Mode (127,0,0,1,1,999)", std::nullopt},
        {"Entering Passive Mode (127,0,0,1,0,0)", std::nullopt},
        {"Entering Passive Mode (127,0,0,1,195)", std::nullopt},
        {"Entering Passive Mode (1270,0,0,1,195,80)", std::nullopt},
        {"Entering Passive Mode (127,0,0,1,99999999999,80)", std::nullopt},
        {"no numbers", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parsePasvPort(c.text), c.port) << c.text;
    }
}

TEST(PassiveReplies, EpsvPortIsRangeChecked) {
    struct Case {
        const char* text;
        std::optional<std::uint16_t> port;
    };
    const Case cases[] = {
        {"Entering Extended Passive Mode (|||6446|)", 6446},
        {"Entering extended passive mode (!!!65535!)", 65535},
        {"Entering Extended Passive Mode (|||0|)", std::nullopt},
        {"Entering Extended Passive Mode (|||65536|)", std::nullopt},
        {"Entering Extended Passive Mode (|||6446)", std::nullopt},
        {"Entering Extended Passive Mode (||6446|)", std::nullopt},
        {"Entering Extended Passive Mode (|||-1|)", std::nullopt},
        {"Entering Extended Passive Mode", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseEpsvPort(c.text), c.port) << c.text;
    }
}

TEST(PwdReply, QuotedPathWithDoubledQuotes) {
    struct Case {
        const char* text;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"\"/\" is the current directory", "/"},
        {"\"/pub/a b\" is current directory.", "/pub/a b"},
        {"\"/say \"\"hi\"\"\" is current", "/say \"hi\""},
        {"\"/\xe4\xb8\xad\xe6\x96\x87\"", "/\xe4\xb8\xad\xe6\x96\x87"},
        {"\"/unclosed", std::nullopt},
        {"no quote at all", std::nullopt},
        {"\"/bad\x01name\"", std::nullopt},
        {"\"/tab\there\"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parsePwdPath(c.text), c.path) << c.text;
    }
}

TEST(FeatReply, FeatureNames) {
    FtpReply reply{211,
                   {"211-Features:", " MLST type*;size*;modify*;", " UTF8", " rest STREAM", " EPSV",
                    "211 End"}};
    std::set<std::string> expected = {"MLST", "UTF8", "REST", "EPSV"};
    EXPECT_EQ(parseFeatures(reply), expected);
    EXPECT_TRUE(parseFeatures(FtpReply{500, {"500 Unknown command."}}).empty());
}

TEST(PortCommands, Format) {
    const std::uint8_t address[4] = {127, 0, 0, 1};
    EXPECT_EQ(formatPortCommand(address, 50000), "PORT 127,0,0,1,195,80");
    EXPECT_EQ(formatEprtCommand(2, "::1", 6446), "EPRT |2|::1|6446|");
}

TEST(AnnouncedSize, FromPreliminaryReply) {
    EXPECT_EQ(parseAnnouncedSize("Opening BINARY mode data connection for a (5368709120 bytes)."),
              5368709120ull);
    EXPECT_EQ(parseAnnouncedSize("Data connection already open. Transfer starting."), std::nullopt);
    EXPECT_EQ(parseAnnouncedSize("Opening (x bytes)"), std::nullopt);
}

}  // namespace
}  // namespace lumaro::ftp_session
