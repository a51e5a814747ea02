#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plugin/core/FilterExchange.h"

using namespace hostfilter;

namespace {

// A host that answers advanceState from a buffer of its own, rows 'padding' bytes wider than the pixels.
struct TFakeHost {
    std::int16_t answer = NoError;
    std::int32_t padding = 3;
    bool giveData = true;
    std::vector<std::uint8_t> buffer;
    TFilterRecord record{};
    int calls = 0;
};
TFakeHost* fake = nullptr;

std::int16_t FakeAdvance() {
    TFilterRecord& r = fake->record;
    ++fake->calls;
    const bool in = r.inRect.right > r.inRect.left;
    const TRect16& rect = in ? r.inRect : r.outRect;
    const std::int32_t n = (in ? r.inHiPlane - r.inLoPlane : r.outHiPlane - r.outLoPlane) + 1;
    const std::int32_t rowBytes = (rect.right - rect.left) * n + fake->padding;
    fake->buffer.assign(std::size_t(rowBytes) * (rect.bottom - rect.top), 0);
    for (std::size_t i = 0; i < fake->buffer.size(); ++i) fake->buffer[i] = std::uint8_t(i);
    void* data = fake->giveData ? fake->buffer.data() : nullptr;
    (in ? r.inData : r.outData) = data;
    (in ? r.inRowBytes : r.outRowBytes) = rowBytes;
    return fake->answer;
}

TFakeHost MakeHost(std::int16_t planes) {
    TFakeHost host;
    host.record.planes = planes;
    host.record.imageMode = ModeRGB;
    host.record.filterRect = TRect16{2, 1, 6, 4};  // top, left, bottom, right: 3 x 4 pixels at (1, 2)
    host.record.maskRect = TRect16{0, 0, 9, 9};
    host.record.advanceState = &FakeAdvance;
    return host;
}

}  // namespace

TEST(FilterExchange, InputAndOutputRequestsAskForTheWholeRectangle) {
    TFakeHost host = MakeHost(4);
    fake = &host;
    exchange::THeader header;
    ASSERT_TRUE(filterexchange::RequestInput(host.record, header));
    const TFilterRecord& r = host.record;
    EXPECT_EQ(r.inRect.top, 2);
    EXPECT_EQ(r.inRect.right, 4);
    EXPECT_EQ(r.inLoPlane, 0);
    EXPECT_EQ(r.inHiPlane, 3);
    EXPECT_EQ(r.outRect.right, 0);
    EXPECT_EQ(r.maskRect.right, 0);
    EXPECT_EQ(header.imageMode, 3);
    EXPECT_EQ(header.left, 1);
    EXPECT_EQ(header.top, 2);
    EXPECT_EQ(header.width, 3);
    EXPECT_EQ(header.height, 4);
    EXPECT_EQ(header.rowBytes, 3 * 4 + 3);
    EXPECT_EQ(header.planes, 4);

    host.padding = 7;
    ASSERT_TRUE(filterexchange::RequestOutput(host.record, header));
    EXPECT_EQ(r.inRect.right, 0);
    EXPECT_EQ(r.outRect.bottom, 6);
    EXPECT_EQ(r.outHiPlane, 3);
    EXPECT_EQ(header.rowBytes, 3 * 4 + 7);

    filterexchange::ClearRects(host.record);
    EXPECT_EQ(std::memcmp(&r.outRect, &r.maskRect, sizeof(TRect16)), 0);
    EXPECT_EQ(r.outRect.right, 0);
    EXPECT_EQ(host.calls, 2);
}

TEST(FilterExchange, RequestsFailWhenTheHostCannotServeThem) {
    exchange::THeader header;
    TFakeHost refuses = MakeHost(3);
    refuses.answer = -108;
    fake = &refuses;
    EXPECT_FALSE(filterexchange::RequestInput(refuses.record, header));
    TFakeHost noBuffer = MakeHost(3);
    noBuffer.giveData = false;
    fake = &noBuffer;
    EXPECT_FALSE(filterexchange::RequestOutput(noBuffer.record, header));
    TFakeHost narrow = MakeHost(3);
    narrow.padding = -1;  // rows shorter than their pixels
    fake = &narrow;
    EXPECT_FALSE(filterexchange::RequestInput(narrow.record, header));
    TFakeHost noCallback = MakeHost(3);
    noCallback.record.advanceState = nullptr;
    EXPECT_FALSE(filterexchange::RequestInput(noCallback.record, header));
    TFakeHost grey = MakeHost(1);
    fake = &grey;
    EXPECT_FALSE(filterexchange::RequestInput(grey.record, header));
    EXPECT_EQ(grey.calls, 0);
}

TEST(FilterExchange, WrittenFileHoldsTheHostRowsAndReadsBack) {
    TFakeHost host = MakeHost(3);
    fake = &host;
    exchange::THeader sent;
    ASSERT_TRUE(filterexchange::RequestInput(host.record, sent));
    ASSERT_EQ(filterexchange::FileSizeFor(sent), 36u + 12 * 4);
    std::vector<std::uint8_t> file(filterexchange::FileSizeFor(sent), 0);
    filterexchange::WriteFile(file.data(), sent, host.buffer.data());
    EXPECT_EQ(file[36 + 12 + 8], host.buffer[12 + 8]);
    EXPECT_EQ(file[36 + 12 + 9], 0);  // the host's padding stays behind
    EXPECT_EQ(file[36 + 3 * 12 + 8], host.buffer[3 * 12 + 8]);

    exchange::THeader received;
    EXPECT_EQ(filterexchange::CheckReadBack(file.data(), file.size(), sent, received),
              filterexchange::TReadBack::Ready);
    EXPECT_EQ(received.rowBytes, 12);

    // Another size or mode, a damaged header, a short or foreign file.
    for (std::size_t offset : {std::size_t(8), std::size_t(20), std::size_t(24)}) {
        std::vector<std::uint8_t> other = file;
        other[offset] += 1;
        EXPECT_EQ(filterexchange::CheckReadBack(other.data(), other.size(), sent, received),
                  filterexchange::TReadBack::Unreadable)
            << offset;
    }
    std::vector<std::uint8_t> planes = file;
    planes[32] = 2;
    EXPECT_EQ(filterexchange::CheckReadBack(planes.data(), planes.size(), sent, received),
              filterexchange::TReadBack::Unreadable);
    EXPECT_EQ(filterexchange::CheckReadBack(file.data(), file.size() - 1, sent, received),
              filterexchange::TReadBack::Unreadable);
    EXPECT_EQ(filterexchange::CheckReadBack(file.data(), 2, sent, received), filterexchange::TReadBack::Unreadable);
    EXPECT_EQ(filterexchange::CheckReadBack(nullptr, 0, sent, received), filterexchange::TReadBack::Unreadable);
    std::vector<std::uint8_t> foreign = file;
    foreign[0] = 'X';
    EXPECT_EQ(filterexchange::CheckReadBack(foreign.data(), foreign.size(), sent, received),
              filterexchange::TReadBack::WrongMagic);
}

TEST(FilterExchange, ProgramPathIsTheTextOfTheValue) {
    auto value = [](const std::u16string& text, std::size_t extra) {
        std::vector<std::uint8_t> bytes;
        for (char16_t c : text) {
            bytes.push_back(std::uint8_t(c));
            bytes.push_back(std::uint8_t(c >> 8));
        }
        bytes.resize(bytes.size() + extra, 0);
        return bytes;
    };
    const std::u16string path = u"C:\\Program Files\\Kelvo\\Vantorel.exe";
    std::vector<std::uint8_t> terminated = value(path, 2);
    EXPECT_EQ(filterexchange::ProgramPathFromValue(1, terminated.data(), std::uint32_t(terminated.size())), path);
    // Stored without its terminator: nothing is cut off.
    std::vector<std::uint8_t> bare = value(path, 0);
    EXPECT_EQ(filterexchange::ProgramPathFromValue(1, bare.data(), std::uint32_t(bare.size())), path);
    EXPECT_EQ(filterexchange::ProgramPathFromValue(1, bare.data(), 0), u"");
    EXPECT_EQ(filterexchange::ProgramPathFromValue(1, bare.data(), 3), u"C");
    EXPECT_EQ(filterexchange::ProgramPathFromValue(4, bare.data(), 4), u"");  // a number, not text

    EXPECT_EQ(filterexchange::FolderOf(path), u"C:\\Program Files\\Kelvo");
    EXPECT_EQ(filterexchange::FolderOf(u"Vantorel.exe"), u"");
    EXPECT_EQ(filterexchange::CommandLine(path, u"C:\\T\\PSP1.tmp"),
              u"\"C:\\Program Files\\Kelvo\\Vantorel.exe\" \"C:\\T\\PSP1.tmp\"");
}
