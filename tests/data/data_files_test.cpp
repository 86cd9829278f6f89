#include "app/shared/data_files.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>
#include "error_of.h"

namespace {

// Byte-level fixtures, written by hand so the test fixes the layout independently of the reader.
void putInt16(std::vector<std::uint8_t>& b, std::size_t at, int v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    b[at] = static_cast<std::uint8_t>(u & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(u >> 8);
}

void putSingle(std::vector<std::uint8_t>& b, std::size_t at, float v) {
    const auto u = std::bit_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

class DataFilesTest : public ::testing::Test {
protected:
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(dir_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    QTemporaryDir folder_;
    const std::filesystem::path dir_ = folder_.path().toStdString();
};

TEST_F(DataFilesTest, FilterRecordLayout) {
    std::vector<std::uint8_t> file(2 * 3678, 0);
    const std::size_t r2 = 3678;  // record 2 starts right after record 1
    putInt16(file, 2, 3);  // record 1, element 1: an inductor, to tell the records apart
    putInt16(file, r2 + 0, 777);
    // Element 1: L between 10 and 50; element 35 of kind 5 with a negative node.
    putInt16(file, r2 + 2, 3), putInt16(file, r2 + 4, 10), putInt16(file, r2 + 6, 50), putSingle(file, r2 + 8, 1.5e-9f);
    putInt16(file, r2 + 342, 5), putInt16(file, r2 + 344, -2), putInt16(file, r2 + 346, 300), putSingle(file, r2 + 348, 0.25f);
    // Four-terminal element 1 and 5.
    putInt16(file, r2 + 352, 4);
    putInt16(file, r2 + 354, 10), putInt16(file, r2 + 356, 50), putInt16(file, r2 + 358, 20), putInt16(file, r2 + 360, 60);
    putSingle(file, r2 + 362, 1e-6f), putSingle(file, r2 + 366, 2e-6f), putSingle(file, r2 + 370, 0.99f);
    putInt16(file, r2 + 440, 9), putSingle(file, r2 + 458, -7.0f);
    // Curves: block 0 point 0, block 1 point 0, block 3 point 200 (the last 4 bytes).
    putSingle(file, r2 + 462, 1.0f);
    putSingle(file, r2 + 462 + 804, 42.5f);
    putSingle(file, r2 + 3674, -3.25f);
    write("filter.dat", file);

    const app::FilterRecord rec = app::readFilterRecord(dir_.string(), 2);
    EXPECT_EQ(rec.reserved, 777);
    EXPECT_EQ(rec.Elements[0].kind, 3);
    EXPECT_EQ(rec.Elements[0].node1, 10);
    EXPECT_EQ(rec.Elements[0].node2, 50);
    EXPECT_FLOAT_EQ(rec.Elements[0].value, 1.5e-9f);
    EXPECT_EQ(rec.Elements[1].kind, 0);
    EXPECT_EQ(rec.Elements[34].kind, 5);
    EXPECT_EQ(rec.Elements[34].node1, -2);
    EXPECT_EQ(rec.Elements[34].node2, 300);
    EXPECT_FLOAT_EQ(rec.Elements[34].value, 0.25f);
    const auto& t = rec.TransElements[0];
    EXPECT_EQ(t.kind, 4);
    EXPECT_EQ(t.node1, 10);
    EXPECT_EQ(t.node2, 50);
    EXPECT_EQ(t.node3, 20);
    EXPECT_EQ(t.node4, 60);
    EXPECT_FLOAT_EQ(t.L1, 1e-6f);
    EXPECT_FLOAT_EQ(t.L2, 2e-6f);
    EXPECT_FLOAT_EQ(t.k, 0.99f);
    EXPECT_EQ(rec.TransElements[4].kind, 9);
    EXPECT_FLOAT_EQ(rec.TransElements[4].k, -7.0f);
    EXPECT_EQ(rec.curve(0)[0], 1.0f) << "frequencies are stored in MHz";
    EXPECT_EQ(rec.curve(1)[0], 42.5f);
    EXPECT_EQ(rec.curve(3)[200], -3.25f);

    const app::FilterRecord first = app::readFilterRecord(dir_.string() + "/", 1);
    EXPECT_EQ(first.reserved, 0);
    EXPECT_EQ(first.Elements[0].kind, 3);
    EXPECT_EQ(first.Elements[0].node1, 0);
}

TEST_F(DataFilesTest, IcRecordLayout) {
    std::vector<std::uint8_t> file(2 * 58, 0);
    const std::size_t r2 = 58;
    for (std::size_t i = 0; i < 8; ++i) file[r2 + i] = static_cast<std::uint8_t>(0xA0 + i);
    const int kinds[5] = {15, 25, 35, 40, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t at = r2 + 8 + 10 * i;
        putInt16(file, at, kinds[i]);
        putInt16(file, at + 2, static_cast<int>(i + 1));
        putInt16(file, at + 4, 10);
        putSingle(file, at + 6, static_cast<float>(i) + 0.5f);
    }
    write("ic.dat", file);

    const app::IcRecord rec = app::readIcRecord(dir_.string(), 2);
    EXPECT_EQ(rec.header[0], 0xA0);
    EXPECT_EQ(rec.header[7], 0xA7);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(rec.Elements[i].kind, kinds[i]);
        EXPECT_EQ(rec.Elements[i].node1, static_cast<int>(i + 1));
        EXPECT_EQ(rec.Elements[i].node2, 10);
        EXPECT_FLOAT_EQ(rec.Elements[i].value, static_cast<float>(i) + 0.5f);
    }
    EXPECT_EQ(app::readIcRecord(dir_.string(), 1).Elements[0].kind, 0);
}

TEST_F(DataFilesTest, ReadersRaiseRunTimeErrors) {
    const std::string folder = dir_.string();
    EXPECT_EQ(errorOf([&] { app::readFilterRecord(folder, 1); }), platform::errFileNotFound);
    EXPECT_EQ(errorOf([&] { app::readIcRecord((dir_ / "no-such-folder").string(), 1); }), platform::errFileNotFound);

    write("filter.dat", std::vector<std::uint8_t>(2 * 3678 - 1, 0));  // a damaged, short file
    EXPECT_NO_THROW(app::readFilterRecord(folder, 1));
    EXPECT_EQ(errorOf([&] { app::readFilterRecord(folder, 2); }), platform::errInputPastEnd);
    EXPECT_EQ(errorOf([&] { app::readFilterRecord(folder, 0); }), platform::errBadRecordNumber);
    EXPECT_EQ(errorOf([&] { app::readFilterRecord(folder, -5); }), platform::errBadRecordNumber);

    write("ic.dat", std::vector<std::uint8_t>(30, 0));
    EXPECT_EQ(errorOf([&] { app::readIcRecord(folder, 1); }), platform::errInputPastEnd);

    const std::vector<std::uint8_t> wrongLength(100, 0);
    EXPECT_EQ(errorOf([&] { app::decodeFilterRecord(wrongLength); }), platform::errInputPastEnd);
    EXPECT_EQ(errorOf([&] { app::decodeIcRecord(wrongLength); }), platform::errInputPastEnd);
}

}  // namespace
