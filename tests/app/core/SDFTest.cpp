#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"

namespace {

const TGUID KeyA = TGUID::Parse("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");
const TGUID KeyB = TGUID::Parse("{337C31B6-B4C2-4951-AE25-F7644D01E59E}");

std::vector<Byte> Bytes(TMemoryStream& s) {
    const Byte* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

// A reader over a copy of the bytes.
struct Parsed {
    explicit Parsed(const std::vector<Byte>& bytes) : copy(bytes), view(), reader(Setup()) {}
    TCustomMemoryStream* Setup() {
        view.SetPointer(copy.data(), std::int64_t(copy.size()));
        return &view;
    }
    std::vector<Byte> copy;
    TCustomMemoryStream view;
    TKelvoSDFReader reader;
};

}  // namespace

TEST(SDFWriter, ExactBytesOfTheElements) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        w.WriteInteger(1, 0x01020304);
        w.BeginNode(1, KeyA);
        w.EndNode();
        w.BeginIntNode(0, -1);
        w.WriteBool(2, true);
        w.WriteWideString(300, u"Ab");
        w.WriteWideString(3, u"");
        w.WriteBinary(65536, "xyz", 3);
        w.EndNode();
    }
    const std::vector<Byte> expected = {
        0x55, 0x01, 0x05, 0x04, 0x04, 0x03, 0x02, 0x01,              // value id 1, int32
        0xD5, 0x01, 0x0D, 0x10, 0xDA, 0xB1, 0x85, 0x8E, 0xF0, 0x44,  // GUID node id 1
        0x60, 0x4B, 0xB4, 0x5D, 0x21, 0xD0, 0xEB, 0xC0, 0x5E, 0x33,  //
        0x00,                                                        // end of node
        0xC5, 0x05, 0x04, 0xFF, 0xFF, 0xFF, 0xFF,                    // int node, no id field
        0x55, 0x02, 0x01, 0x01, 0x01,                                // bool
        0x65, 0x2C, 0x01, 0x0C, 0x04, 'A',  0x00, 'b',  0x00,        // id 300 in two bytes
        0x54, 0x03, 0x0C,                                            // empty string: no size, no payload
        0x75, 0x00, 0x00, 0x01, 0x00, 0x0E, 0x03, 'x',  'y',  'z',   // id 65536 in four bytes
        0x00};
    EXPECT_EQ(Bytes(s), expected);
}

TEST(SDFWriter, FieldLengthsFollowTheValues) {
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(0), 0);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(1), 1);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(255), 1);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(256), 2);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(300), 2);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(65535), 2);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(65536), 3);
    EXPECT_EQ(TKelvoSDFWriter::LengthCode(std::uint32_t(-1)), 3);

    // A writer without a stream writes nothing and does not fail.
    TKelvoSDFWriter none(static_cast<TStream*>(nullptr));
    none.WriteInteger(1, 2);
    none.EndNode();
}

TEST(SDFReader, RoundTripThroughNestedNodes) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        w.BeginNode(1, KeyA);
        w.WriteInteger(1, -123456);
        w.WriteDouble(2, 2.5);
        w.WriteWideString(3, u"Stra\u00DFe \u263A");
        w.BeginIntNode(9, 7);
        w.WriteBool(1, true);
        w.EndNode();
        w.WriteBinary(4, "\x01\x02\x03\x04\x05", 5);
        w.EndNode();
        w.BeginNode(1, KeyB);
        w.WriteInteger(1, 99);
        w.EndNode();
    }
    Parsed p(Bytes(s));
    TKelvoSDFReader& r = p.reader;
    std::int32_t i = 0;
    EXPECT_FALSE(r.ReadInteger(1, i));  // values of a node are not at the root
    ASSERT_TRUE(r.OpenNode(1, KeyB));
    EXPECT_TRUE(r.ReadInteger(1, i));
    EXPECT_EQ(i, 99);
    r.CloseNode();
    ASSERT_TRUE(r.OpenNode(1, KeyA));
    EXPECT_TRUE(r.ReadInteger(1, i));
    EXPECT_EQ(i, -123456);
    double d = 0;
    EXPECT_TRUE(r.ReadDouble(2, d));
    EXPECT_EQ(d, 2.5);
    WideString text;
    EXPECT_TRUE(r.ReadWideString(3, text));
    EXPECT_EQ(text, u"Stra\u00DFe \u263A");
    Byte bin[5] = {};
    EXPECT_TRUE(r.ReadBinary(4, bin, 5));
    EXPECT_EQ(bin[4], 5);
    ASSERT_TRUE(r.OpenIntNode(9));
    bool b = false;
    EXPECT_TRUE(r.ReadBool(1, b));
    EXPECT_TRUE(b);
    // Item id 0 inside a node reads the node's key.
    EXPECT_TRUE(r.ReadInteger(0, i));
    EXPECT_EQ(i, 7);
    r.CloseNode();
    r.CloseNode();
    EXPECT_TRUE(r.AtRoot());
    r.CloseNode();  // at the root: stays
    EXPECT_TRUE(r.AtRoot());
    EXPECT_FALSE(r.OpenNode(2, KeyA));
    EXPECT_FALSE(r.OpenNode(1, TGUID{}));
    EXPECT_TRUE(r.AtRoot());
}

TEST(SDFReader, DuplicateNodeIdsAreToldApartByKey) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        w.BeginNode(5, KeyA);
        w.WriteInteger(1, 1);
        w.EndNode();
        w.BeginNode(5, KeyB);
        w.WriteInteger(1, 2);
        w.EndNode();
        w.WriteInteger(5, 3);  // a value may share the id of a node
    }
    Parsed p(Bytes(s));
    std::int32_t v = 0;
    ASSERT_TRUE(p.reader.OpenNode(5, KeyB));
    EXPECT_TRUE(p.reader.ReadInteger(1, v));
    EXPECT_EQ(v, 2);
    p.reader.CloseNode();
    ASSERT_TRUE(p.reader.OpenIntNode(5));
    EXPECT_TRUE(p.reader.ReadInteger(1, v));
    EXPECT_EQ(v, 1);
    p.reader.CloseNode();
    EXPECT_TRUE(p.reader.ReadInteger(5, v));
    EXPECT_EQ(v, 3);
}

TEST(SDFReader, TypedReadsConvertOnlyWhatTheyAccept) {
    // Hand-made values of every stored type, ids 1..9.
    const std::vector<Byte> bytes = {
        0x55, 0x01, 0x03, 0x02, 0xFE, 0xFF,                                // 1: int16 -2
        0x55, 0x02, 0x04, 0x02, 0xFE, 0xFF,                                // 2: uint16 65534
        0x55, 0x03, 0x01, 0x01, 0x80,                                      // 3: int8 -128
        0x55, 0x04, 0x02, 0x01, 0x80,                                      // 4: uint8 128
        0x55, 0x05, 0x06, 0x04, 0xFF, 0xFF, 0xFF, 0xFF,                    // 5: uint32 4294967295
        0x55, 0x06, 0x09, 0x04, 0x00, 0x00, 0xC0, 0x3F,                    // 6: float 1.5
        0x55, 0x07, 0x0A, 0x08, 0,    0,    0,    0,    0, 0, 0xF0, 0x3F,  // 7: double 1.0
        0x55, 0x08, 0x05, 0x02, 0x01, 0x00,                                // 8: int32 type with a wrong size
        0x55, 0x09, 0x0C, 0x03, 'A',  0x00, 'B',                           // 9: string of odd size
        0x55, 0x0A, 0x63, 0x01, 0x07,                                      // 10: unknown type 99
    };
    Parsed p(bytes);
    TKelvoSDFReader& r = p.reader;
    std::int32_t i = 77;
    EXPECT_TRUE(r.ReadInteger(1, i));
    EXPECT_EQ(i, -2);
    EXPECT_TRUE(r.ReadInteger(2, i));
    EXPECT_EQ(i, 65534);
    EXPECT_TRUE(r.ReadInteger(3, i));
    EXPECT_EQ(i, -128);
    EXPECT_TRUE(r.ReadInteger(4, i));
    EXPECT_EQ(i, 128);
    i = 77;
    EXPECT_FALSE(r.ReadInteger(5, i));  // uint32 is for ReadDouble only
    EXPECT_FALSE(r.ReadInteger(6, i));
    EXPECT_FALSE(r.ReadInteger(7, i));  // a double is no integer
    EXPECT_FALSE(r.ReadInteger(8, i));
    EXPECT_FALSE(r.ReadInteger(10, i));
    EXPECT_FALSE(r.ReadInteger(11, i));  // missing
    EXPECT_EQ(i, 77);

    double d = -1;
    EXPECT_TRUE(r.ReadDouble(5, d));
    EXPECT_EQ(d, 4294967295.0);
    EXPECT_TRUE(r.ReadDouble(6, d));
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(r.ReadDouble(7, d));
    EXPECT_EQ(d, 1.0);
    EXPECT_TRUE(r.ReadDouble(1, d));
    EXPECT_EQ(d, -2.0);
    d = -1;
    EXPECT_FALSE(r.ReadDouble(8, d));
    EXPECT_FALSE(r.ReadDouble(9, d));
    EXPECT_EQ(d, -1);

    bool b = false;
    EXPECT_TRUE(r.ReadBool(3, b));
    EXPECT_TRUE(b);
    WideString w = u"keep";
    EXPECT_FALSE(r.ReadWideString(1, w));
    EXPECT_EQ(w, u"keep");
    EXPECT_TRUE(r.ReadWideString(9, w));
    EXPECT_EQ(w, u"A");  // the odd byte is dropped

    Byte buf[4] = {9, 9, 9, 9};
    EXPECT_FALSE(r.ReadBinary(5, buf, 3));
    EXPECT_EQ(buf[0], 9);
    EXPECT_TRUE(r.ReadBinary(5, buf, 4));  // any type of exactly that size
    EXPECT_EQ(buf[0], 0xFF);
    EXPECT_FALSE(r.ReadInteger(0, i));  // no value with id 0 at the root
}

TEST(SDFReader, EmptyAndMissingStreams) {
    Parsed p({});
    EXPECT_FALSE(p.reader.OpenNode(1, KeyA));
    EXPECT_FALSE(p.reader.OpenIntNode(0));
    TKelvoSDFReader none(static_cast<TStream*>(nullptr));
    std::int32_t i = 5;
    EXPECT_FALSE(none.ReadInteger(1, i));
    EXPECT_EQ(i, 5);

    // An empty string element reads as an empty string.
    Parsed e({0x54, 0x03, 0x0C});
    WideString w = u"x";
    EXPECT_TRUE(e.reader.ReadWideString(3, w));
    EXPECT_TRUE(w.empty());

    // An owned stream is read as well.
    auto owned = std::make_unique<TMemoryStream>();
    const Byte one[] = {0x55, 0x01, 0x05, 0x04, 1, 0, 0, 0};
    owned->WriteBuffer(one, sizeof one);
    owned->SetPosition(0);
    TKelvoSDFReader r(std::move(owned));
    EXPECT_TRUE(r.ReadInteger(1, i));
    EXPECT_EQ(i, 1);
}

namespace {
// A stream whose every read fails as the given error does.
template <class E>
struct FailingStream : TStream {
    std::int32_t Read(void*, std::int32_t) override { throw E("read failed"); }
    std::int32_t Write(const void*, std::int32_t) override { return 0; }
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
    std::int64_t Size() override { return 100; }
};
}  // namespace

TEST(SDFReader, AnUnreadableStreamIsEmptyButAFaultPassesOn) {
    FailingStream<EReadError> unreadable;
    TKelvoSDFReader reader(&unreadable);
    EXPECT_TRUE(reader.Root().Values.empty());
    EXPECT_TRUE(reader.Root().Nodes.empty());

    FailingStream<EInvalidOperation> faulty;
    EXPECT_THROW(TKelvoSDFReader{&faulty}, EInvalidOperation);
}

TEST(SDFReader, DamageKeepsEverythingBeforeIt) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        w.WriteInteger(1, 11);
        w.BeginNode(2, KeyA);
        w.WriteInteger(1, 22);
        w.WriteWideString(2, u"abc");
        w.EndNode();
        w.WriteInteger(3, 33);
    }
    const std::vector<Byte> all = Bytes(s);
    // Offsets where each element ends (exclusive).
    const std::size_t endFirst = 8, endNodeStart = endFirst + 20, endSecond = endNodeStart + 8,
                      endString = endSecond + 10, endNode = endString + 1;
    ASSERT_EQ(all.size(), endNode + 8);
    for (std::size_t cut = 0; cut <= all.size(); ++cut) {
        Parsed p(std::vector<Byte>(all.begin(), all.begin() + std::ptrdiff_t(cut)));
        TKelvoSDFReader& r = p.reader;
        std::int32_t v = 0;
        EXPECT_EQ(r.ReadInteger(1, v), cut >= endFirst) << cut;
        EXPECT_EQ(r.ReadInteger(3, v), cut == all.size()) << cut;
        const bool node = r.OpenNode(2, KeyA);
        EXPECT_EQ(node, cut >= endNodeStart) << cut;
        if (node) {
            EXPECT_EQ(r.ReadInteger(1, v), cut >= endSecond) << cut;
            WideString w;
            EXPECT_EQ(r.ReadWideString(2, w), cut >= endString) << cut;
        }
    }

    // A payload size that runs past the end stops the parse there.
    std::vector<Byte> bad = all;
    bad[endNodeStart + 3] = 0xF0;  // the size field of the value inside the node
    Parsed p(bad);
    std::int32_t v = 0;
    EXPECT_TRUE(p.reader.ReadInteger(1, v));
    ASSERT_TRUE(p.reader.OpenNode(2, KeyA));
    EXPECT_FALSE(p.reader.ReadInteger(1, v));
    p.reader.CloseNode();
    EXPECT_FALSE(p.reader.ReadInteger(3, v));

    // An end of node at the root ends the parse.
    Parsed q({0x55, 0x01, 0x05, 0x04, 1, 0, 0, 0, 0x00, 0x55, 0x02, 0x05, 0x04, 2, 0, 0, 0});
    EXPECT_TRUE(q.reader.ReadInteger(1, v));
    EXPECT_FALSE(q.reader.ReadInteger(2, v));
}

TEST(SDFReader, NestingIsBoundedAndSizeIsCapped) {
    // Nodes nested to the limit are read; one level deeper stops the parse there.
    auto nested = [](int levels) {
        std::vector<Byte> bytes(std::size_t(levels), 0x80);  // node start, no fields
        for (Byte b : {0x55, 0x01, 0x05, 0x04, 42, 0, 0, 0}) bytes.push_back(Byte(b));
        return bytes;
    };
    for (int levels : {TKelvoSDFReader::MaxDepth, TKelvoSDFReader::MaxDepth + 1, 200000}) {
        Parsed p(nested(levels));
        TKelvoSDFReader& r = p.reader;
        int entered = 0;
        while (r.OpenIntNode(0)) ++entered;
        EXPECT_EQ(entered, std::min(levels, TKelvoSDFReader::MaxDepth));
        std::int32_t v = 0;
        EXPECT_EQ(r.ReadInteger(1, v), levels <= TKelvoSDFReader::MaxDepth) << levels;
    }

    // Leaving nodes makes room again: many siblings at depth 1 are fine.
    std::vector<Byte> siblings;
    for (int i = 0; i < 1000; ++i)
        for (Byte b : {0xC0, 0x00}) siblings.push_back(b);  // empty node, end of node
    Parsed s(siblings);
    EXPECT_EQ(s.reader.Root().Nodes.size(), 1000u);

    // Bytes past the cap are not read.
    std::vector<Byte> big(std::size_t(TKelvoSDFReader::MaxBytes), 0x40);  // empty value elements
    for (Byte b : {0x55, 0x01, 0x05, 0x04, 1, 0, 0, 0}) big.push_back(b);
    Parsed capped(big);
    std::int32_t v = 0;
    EXPECT_FALSE(capped.reader.ReadInteger(1, v));
    EXPECT_EQ(capped.reader.Root().Values.size(), std::size_t(TKelvoSDFReader::MaxBytes));
}
