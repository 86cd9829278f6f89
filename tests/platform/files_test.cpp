#include "platform/errors.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <dirent.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

class FilesTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const auto path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QTemporaryDir folder_;
    const std::filesystem::path dir_ = folder_.path().toStdString();
};

int expectError(const std::function<void()>& f) {
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

int openDescriptors() {
    int count = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++count;
        closedir(d);
    }
    return count;
}

TEST_F(FilesTest, TextInputReadsIndexRecords) {
    // A quoted comma stays in its field, blanks before fields go, and the second record is
    // split over two lines: fields are counted, not lines.
    platform::TextInput in(write("a.idx", "1,0,\"Chip, Bead\",  plain text  ,\"\"\r\n"
                                          "2, 1 ,\"x\"\r\n\"y\"\n\r\n"));
    EXPECT_EQ(in.readInteger(), 1);
    EXPECT_EQ(in.readLong(), 0);
    EXPECT_EQ(in.readString(), "Chip, Bead");
    EXPECT_EQ(in.readString(), "plain text");
    EXPECT_EQ(in.readString(), "");
    EXPECT_FALSE(in.atEnd());
    EXPECT_EQ(in.readInteger(), 2);
    EXPECT_EQ(in.readInteger(), 1);
    EXPECT_EQ(in.readString(), "x");
    EXPECT_EQ(in.readString(), "y");
    EXPECT_TRUE(in.atEnd()) << "a final empty line ends the input";
    EXPECT_EQ(expectError([&] { in.readString(); }), platform::errInputPastEnd);
}

TEST_F(FilesTest, TextInputNumbers) {
    platform::TextInput in(write("n.idx", "3.3,-1.5E-3,,2.5,3.5,32768,abc,1e999,0x10,\"7\"\r\n"));
    EXPECT_FLOAT_EQ(in.readSingle(), 3.3f);
    EXPECT_DOUBLE_EQ(in.readNumber(), -1.5e-3);
    EXPECT_EQ(in.readNumber(), 0.0) << "an empty numeric field is 0";
    EXPECT_EQ(in.readInteger(), 2) << "halves go to even";
    EXPECT_EQ(in.readInteger(), 4);
    EXPECT_EQ(expectError([&] { in.readInteger(); }), platform::errOverflow);
    EXPECT_EQ(expectError([&] { in.readNumber(); }), platform::errTypeMismatch);
    EXPECT_EQ(expectError([&] { in.readNumber(); }), platform::errOverflow);
    EXPECT_EQ(expectError([&] { in.readNumber(); }), platform::errTypeMismatch);
    EXPECT_EQ(in.readInteger(), 7);
}

TEST_F(FilesTest, TextInputMalformedInput) {
    EXPECT_EQ(expectError([&] { platform::TextInput((dir_ / "missing.idx").string()); }), platform::errFileNotFound);
    EXPECT_EQ(expectError([&] { platform::TextInput(dir_.string()); }), platform::errFileNotFound);

    platform::TextInput open(write("q.idx", "1,\"never closed\r\n"));
    open.readInteger();
    EXPECT_EQ(expectError([&] { open.readString(); }), platform::errInputPastEnd);

    platform::TextInput shortLine(write("s.idx", "1,2\r\n"));
    shortLine.readInteger();
    shortLine.readInteger();
    EXPECT_TRUE(shortLine.atEnd());
    EXPECT_EQ(expectError([&] { shortLine.readInteger(); }), platform::errInputPastEnd);

    platform::TextInput trailingComma(write("t.idx", "1,\r\n"));
    trailingComma.readInteger();
    EXPECT_EQ(trailingComma.readString(), "") << "a comma at the line end leaves one empty field";
    EXPECT_EQ(expectError([&] { trailingComma.readString(); }), platform::errInputPastEnd);

    platform::TextInput empty(write("e.idx", ""));
    EXPECT_TRUE(empty.atEnd());
}

TEST_F(FilesTest, RandomAccessReadsWholeRecords) {
    std::string bytes;
    for (int i = 0; i < 3 * 7; ++i) bytes.push_back(static_cast<char>(i));
    const std::string path = write("r.dat", bytes + "xy");  // a partial fourth record

    platform::RandomAccessFile file(path, 7);
    EXPECT_EQ(file.recordCount(), 3);
    const auto second = file.get(2);
    ASSERT_EQ(second.size(), 7u);
    EXPECT_EQ(second.front(), 7);
    EXPECT_EQ(second.back(), 13);
    EXPECT_EQ(file.get(1).front(), 0) << "records can be read in any order";
    EXPECT_EQ(file.get(3).back(), 20);

    EXPECT_EQ(expectError([&] { file.get(0); }), platform::errBadRecordNumber);
    EXPECT_EQ(expectError([&] { file.get(-1); }), platform::errBadRecordNumber);
    EXPECT_EQ(expectError([&] { file.get(4); }), platform::errInputPastEnd);
    EXPECT_EQ(expectError([&] { file.get(1000000); }), platform::errInputPastEnd);
    EXPECT_EQ(file.get(2), second) << "a failed read leaves the file usable";

    EXPECT_EQ(expectError([&] { platform::readRecord((dir_ / "none.dat").string(), 7, 1); }), platform::errFileNotFound);
    EXPECT_EQ(expectError([&] { platform::readRecord(path, 0, 1); }), platform::errInvalidArgument);
}

TEST_F(FilesTest, EveryFileIsClosedOnEveryPath) {
    const std::string path = write("c.dat", std::string(10, 'a'));
    const std::string idx = write("c.idx", "1\r\n");
    const int before = openDescriptors();
    for (int i = 0; i < 50; ++i) {
        platform::readRecord(path, 5, 2);
        expectError([&] { platform::readRecord(path, 5, 3); });
        expectError([&] { platform::readRecord(path, 5, 0); });
        platform::TextInput in(idx);
        in.readInteger();
        expectError([&] { in.readInteger(); });
    }
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
