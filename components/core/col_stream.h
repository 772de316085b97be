#pragma once
// The "Col" column stream: the tagged value encoding in which a grid table
// stores its column definitions. Every value starts with a one-byte tag;
// integers and lengths are little-endian, reals are 80-bit extended.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korva::components {

enum class TValueTag : std::uint8_t {
    EndOfList = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    False = 8,
    True = 9,
    LString = 12,
};

// Appends values in the tagged layout. Integers take the smallest integer
// tag that holds them; strings up to 255 characters the short-string tag.
class TColWriter {
public:
    void WriteInteger(std::int32_t value);
    void WriteExtended(long double value);
    void WriteString(std::string_view text);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteStringList(const std::vector<std::string>& lines);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void Put(const void* data, std::size_t size);
    std::vector<std::uint8_t> bytes_;
};

// Reads values in the tagged layout from a byte buffer that it does not own.
// Every read checks its tag and bounds every length against the bytes that
// remain, so a truncated or damaged stream raises the base exception with
// "Stream read error" or "Invalid property value" and never reads past the
// end.
class TColReader {
public:
    explicit TColReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Any integer tag is accepted.
    std::int32_t ReadInteger();
    // An extended real or any integer; a value that is not finite is refused.
    long double ReadExtended();
    std::string ReadString();
    bool ReadBoolean();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next value is the end-of-list tag (nothing is consumed).
    bool EndOfList();
    std::vector<std::string> ReadStringList();

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    TValueTag ReadTag();
    TValueTag PeekTag();
    void Take(void* out, std::size_t size);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

} // namespace korva::components
