#include "gif.h"

#include <algorithm>
#include <unordered_map>

#include "output.h"

namespace dm::assets {

namespace {


// Packs variable-width codes least significant bit first into 255-byte sub-blocks.
class CodeWriter {
public:
    explicit CodeWriter(QByteArray& out) : out_(out) {}
    void write(int code, int width)
    {
        bits_ |= uint32_t(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            byte(uint8_t(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    void finish()
    {
        if (count_ > 0)
            byte(uint8_t(bits_ & 0xFF));
        bits_ = 0;
        count_ = 0;
        flushBlock();
        out_.append(char(0));  // block terminator
    }

private:
    void byte(uint8_t b)
    {
        block_.append(char(b));
        if (block_.size() == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (block_.isEmpty())
            return;
        out_.append(char(block_.size()));
        out_.append(block_);
        block_.clear();
    }
    QByteArray& out_;
    QByteArray block_;
    uint32_t bits_ = 0;
    int count_ = 0;
};

void compress(QByteArray& out, const std::vector<uint8_t>& indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    constexpr int kMaxCode = 4095;

    CodeWriter writer(out);
    std::unordered_map<uint32_t, int> dictionary;  // (prefix code << 8 | next index) -> code
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;  // highest code assigned so far
    writer.write(clearCode, codeSize);

    int current = indices.front();
    for (size_t i = 1; i < indices.size(); ++i) {
        const uint8_t next = indices[i];
        const uint32_t key = (uint32_t(current) << 8) | next;
        if (auto it = dictionary.find(key); it != dictionary.end()) {
            current = it->second;
            continue;
        }
        writer.write(current, codeSize);
        dictionary.emplace(key, ++lastCode);
        // The decoder widens its codes once the table reaches the current width.
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == kMaxCode) {
            writer.write(clearCode, codeSize);
            dictionary.clear();
            codeSize = minCodeSize + 1;
            lastCode = endCode;
        }
        current = next;
    }
    writer.write(current, codeSize);
    writer.write(endCode, codeSize);
    writer.finish();
}

}  // namespace

QByteArray encodeGif(const IndexedPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 0xFFFF || picture.height > 0xFFFF ||
        picture.palette.empty() || picture.palette.size() > 256 ||
        picture.indices.size() != size_t(picture.width) * picture.height)
        return {};
    for (uint8_t index : picture.indices)
        if (index >= picture.palette.size())
            return {};

    int tableBits = 1;  // the colour table holds 2^tableBits entries
    while ((1u << tableBits) < picture.palette.size())
        ++tableBits;

    QByteArray out("GIF89a");
    appendLittleEndian(out, 2, picture.width);
    appendLittleEndian(out, 2, picture.height);
    out.append(char(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));  // global table, its size
    out.append(char(0));  // background colour index
    out.append(char(0));  // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < int(picture.palette.size()) ? picture.palette[size_t(i)] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(',');
    appendLittleEndian(out, 2, 0);
    appendLittleEndian(out, 2, 0);
    appendLittleEndian(out, 2, picture.width);
    appendLittleEndian(out, 2, picture.height);
    out.append(char(0));  // no local table, not interlaced
    const int minCodeSize = std::max(2, tableBits);
    out.append(char(minCodeSize));
    compress(out, picture.indices, minCodeSize);
    out.append(';');
    return out;
}

QByteArray encodeGif(const QImage& image)
{
    return encodeGif(quantize(image));
}

}  // namespace dm::assets
