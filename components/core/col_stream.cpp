#include "col_stream.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "exceptions.h"

namespace korva::components {

// The stream carries the 80-bit x87 layout as it lies in memory on a
// little-endian machine: 64-bit mantissa, then sign and exponent.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be 80-bit extended");
static_assert(std::endian::native == std::endian::little, "the stream layout is little-endian");

namespace {
constexpr std::size_t kExtendedSize = 10;
constexpr const char* kReadError = "Stream read error";
constexpr const char* kInvalidValue = "Invalid property value";
} // namespace

void TColWriter::Put(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

void TColWriter::WriteInteger(std::int32_t value)
{
    if (value >= -128 && value <= 127) {
        bytes_.push_back(static_cast<std::uint8_t>(TValueTag::Int8));
        const auto v = static_cast<std::int8_t>(value);
        Put(&v, 1);
    } else if (value >= -32768 && value <= 32767) {
        bytes_.push_back(static_cast<std::uint8_t>(TValueTag::Int16));
        const auto v = static_cast<std::int16_t>(value);
        Put(&v, 2);
    } else {
        bytes_.push_back(static_cast<std::uint8_t>(TValueTag::Int32));
        Put(&value, 4);
    }
}

void TColWriter::WriteExtended(long double value)
{
    bytes_.push_back(static_cast<std::uint8_t>(TValueTag::Extended));
    std::uint8_t raw[sizeof(long double)] = {};
    std::memcpy(raw, &value, sizeof value);
    Put(raw, kExtendedSize);
}

void TColWriter::WriteString(std::string_view text)
{
    if (text.size() <= 255) {
        bytes_.push_back(static_cast<std::uint8_t>(TValueTag::String));
        bytes_.push_back(static_cast<std::uint8_t>(text.size()));
    } else {
        bytes_.push_back(static_cast<std::uint8_t>(TValueTag::LString));
        const auto size = static_cast<std::uint32_t>(text.size());
        Put(&size, 4);
    }
    Put(text.data(), text.size());
}

void TColWriter::WriteBoolean(bool value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value ? TValueTag::True : TValueTag::False));
}

void TColWriter::WriteListBegin() { bytes_.push_back(static_cast<std::uint8_t>(TValueTag::List)); }

void TColWriter::WriteListEnd() { bytes_.push_back(static_cast<std::uint8_t>(TValueTag::EndOfList)); }

void TColWriter::WriteStringList(const std::vector<std::string>& lines)
{
    WriteListBegin();
    for (const auto& line : lines)
        WriteString(line);
    WriteListEnd();
}

void TColReader::Take(void* out, std::size_t size)
{
    if (size > Remaining())
        throw Exception(kReadError);
    std::memcpy(out, bytes_.data() + pos_, size);
    pos_ += size;
}

TValueTag TColReader::ReadTag()
{
    std::uint8_t tag = 0;
    Take(&tag, 1);
    return static_cast<TValueTag>(tag);
}

TValueTag TColReader::PeekTag()
{
    if (Remaining() == 0)
        throw Exception(kReadError);
    return static_cast<TValueTag>(bytes_[pos_]);
}

std::int32_t TColReader::ReadInteger()
{
    switch (ReadTag()) {
    case TValueTag::Int8: {
        std::int8_t v = 0;
        Take(&v, 1);
        return v;
    }
    case TValueTag::Int16: {
        std::int16_t v = 0;
        Take(&v, 2);
        return v;
    }
    case TValueTag::Int32: {
        std::int32_t v = 0;
        Take(&v, 4);
        return v;
    }
    default:
        throw Exception(kInvalidValue);
    }
}

long double TColReader::ReadExtended()
{
    if (PeekTag() != TValueTag::Extended)
        return ReadInteger();
    ReadTag();
    std::uint8_t raw[sizeof(long double)] = {};
    Take(raw, kExtendedSize);
    // Damaged bytes may encode an infinity, a NaN or a pattern that the x87
    // unit refuses (the explicit integer bit must be set exactly when the
    // exponent is not zero); none of them may become a cell value.
    const unsigned exponent = (raw[8] | (raw[9] << 8)) & 0x7FFFu;
    const bool integerBit = (raw[7] & 0x80u) != 0;
    if (exponent == 0x7FFFu || integerBit != (exponent != 0))
        throw Exception(kInvalidValue);
    long double value = 0;
    std::memcpy(&value, raw, sizeof value);
    if (!std::isfinite(value))
        throw Exception(kInvalidValue);
    return value;
}

std::string TColReader::ReadString()
{
    std::uint32_t size = 0;
    switch (ReadTag()) {
    case TValueTag::String: {
        std::uint8_t shortSize = 0;
        Take(&shortSize, 1);
        size = shortSize;
        break;
    }
    case TValueTag::LString:
        Take(&size, 4);
        break;
    default:
        throw Exception(kInvalidValue);
    }
    if (size > Remaining())
        throw Exception(kReadError);
    std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), size);
    pos_ += size;
    return text;
}

bool TColReader::ReadBoolean()
{
    switch (ReadTag()) {
    case TValueTag::True:
        return true;
    case TValueTag::False:
        return false;
    default:
        throw Exception(kInvalidValue);
    }
}

void TColReader::ReadListBegin()
{
    if (ReadTag() != TValueTag::List)
        throw Exception(kInvalidValue);
}

void TColReader::ReadListEnd()
{
    if (ReadTag() != TValueTag::EndOfList)
        throw Exception(kInvalidValue);
}

bool TColReader::EndOfList() { return PeekTag() == TValueTag::EndOfList; }

std::vector<std::string> TColReader::ReadStringList()
{
    std::vector<std::string> lines;
    ReadListBegin();
    while (!EndOfList())
        lines.push_back(ReadString());
    ReadListEnd();
    return lines;
}

} // namespace korva::components
