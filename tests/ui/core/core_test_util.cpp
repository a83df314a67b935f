#include "tests/ui/core/core_test_util.h"

#include <zlib.h>

#include <cstring>

namespace coretest {

namespace {

void Put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

void PutBe32(std::string& s, uint32_t v) {
    s += static_cast<char>((v >> 24) & 0xFF);
    s += static_cast<char>((v >> 16) & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
    s += static_cast<char>(v & 0xFF);
}

uint32_t Crc(const std::string& data) {
    uLong crc = crc32(0L, Z_NULL, 0);
    return static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string RunDeflate(z_stream& zs, const unsigned char* in, size_t inSize, size_t repeat) {
    std::string out;
    unsigned char buf[65536];
    for (size_t r = 0; r < repeat; ++r) {
        zs.next_in = const_cast<Bytef*>(in);
        zs.avail_in = static_cast<uInt>(inSize);
        const int flush = r + 1 == repeat ? Z_FINISH : Z_NO_FLUSH;
        int rc;
        do {
            zs.next_out = buf;
            zs.avail_out = sizeof(buf);
            rc = deflate(&zs, flush);
            out.append(reinterpret_cast<char*>(buf), sizeof(buf) - zs.avail_out);
        } while (zs.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    }
    deflateEnd(&zs);
    return out;
}

}  // namespace

std::string Deflate(const std::string& data) {
    z_stream zs;
    memset(&zs, 0, sizeof(zs));
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    return RunDeflate(zs, reinterpret_cast<const unsigned char*>(data.data()), data.size(), 1);
}

std::string DeflateZeros(size_t zeros) {
    static const std::vector<unsigned char> chunk(1 << 20, 0);
    z_stream zs;
    memset(&zs, 0, sizeof(zs));
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    return RunDeflate(zs, chunk.data(), chunk.size(), zeros / chunk.size());
}

std::string BuildZip(const std::vector<ZipEntry>& entries) {
    std::string zip;
    std::string directory;
    for (const ZipEntry& e : entries) {
        const std::string payload = e.rawData ? e.data : (e.method == 8 ? Deflate(e.data) : e.data);
        const uint32_t crc = e.claimedCrc >= 0 ? static_cast<uint32_t>(e.claimedCrc) : Crc(e.data);
        const uint32_t size = e.claimedSize >= 0 ? static_cast<uint32_t>(e.claimedSize) : static_cast<uint32_t>(e.data.size());
        const uint32_t csize = e.claimedCompressedSize >= 0 ? static_cast<uint32_t>(e.claimedCompressedSize)
                                                            : static_cast<uint32_t>(payload.size());
        const uint32_t offset = e.claimedLocalOffset >= 0 ? static_cast<uint32_t>(e.claimedLocalOffset)
                                                          : static_cast<uint32_t>(zip.size());
        // Local header.
        Put32(zip, 0x04034b50);
        Put16(zip, 20);
        Put16(zip, 0);
        Put16(zip, e.method);
        Put16(zip, 0);
        Put16(zip, 0);
        Put32(zip, crc);
        Put32(zip, csize);
        Put32(zip, size);
        Put16(zip, static_cast<uint32_t>(e.name.size()));
        Put16(zip, 0);
        zip += e.name;
        zip += payload;
        // Directory entry.
        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        Put16(directory, 0);
        Put16(directory, e.method);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, crc);
        Put32(directory, csize);
        Put32(directory, size);
        Put16(directory, static_cast<uint32_t>(e.name.size()));
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, offset);
        directory += e.name;
    }
    const uint32_t dirOffset = static_cast<uint32_t>(zip.size());
    zip += directory;
    Put32(zip, 0x06054b50);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, static_cast<uint32_t>(entries.size()));
    Put16(zip, static_cast<uint32_t>(entries.size()));
    Put32(zip, static_cast<uint32_t>(directory.size()));
    Put32(zip, dirOffset);
    Put16(zip, 0);
    return zip;
}

namespace {

void PngChunk(std::string& png, const char* type, const std::string& body) {
    PutBe32(png, static_cast<uint32_t>(body.size()));
    std::string typed = std::string(type, 4) + body;
    png += typed;
    PutBe32(png, Crc(typed));
}

std::string PngHeader(uint32_t width, uint32_t height) {
    std::string ihdr;
    PutBe32(ihdr, width);
    PutBe32(ihdr, height);
    ihdr += static_cast<char>(8);  // bit depth
    ihdr += static_cast<char>(6);  // RGBA
    ihdr += std::string(3, '\0');  // compression, filter, interlace
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PngChunk(png, "IHDR", ihdr);
    return png;
}

}  // namespace

std::string BuildPng(int width, int height, const std::vector<Rgba>& pixels) {
    std::string png = PngHeader(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y * width + x)];
            raw += static_cast<char>(p.r);
            raw += static_cast<char>(p.g);
            raw += static_cast<char>(p.b);
            raw += static_cast<char>(p.a);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string z(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&z[0]), &size, reinterpret_cast<const Bytef*>(raw.data()),
              static_cast<uLong>(raw.size()), 9);
    z.resize(size);
    PngChunk(png, "IDAT", z);
    PngChunk(png, "IEND", "");
    return png;
}

std::string BuildPngHeaderOnly(uint32_t width, uint32_t height) {
    std::string png = PngHeader(width, height);
    std::string z(16, '\0');
    uLongf size = static_cast<uLongf>(z.size());
    const char row[2] = {0, 0};
    compress2(reinterpret_cast<Bytef*>(&z[0]), &size, reinterpret_cast<const Bytef*>(row), 2, 9);
    z.resize(size);
    PngChunk(png, "IDAT", z);
    PngChunk(png, "IEND", "");
    return png;
}

std::wstring Widen(const std::string& s) {
    std::wstring w;
    for (unsigned char c : s) w += static_cast<wchar_t>(c);
    return w;
}

}  // namespace coretest
