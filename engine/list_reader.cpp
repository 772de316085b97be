#include "list_reader.h"

namespace korva::engine {

ListReader::ListReader(std::string) {}
bool ListReader::Read(std::initializer_list<Target>) { error_ = "not yet written"; return false; }
bool ListReader::Read(const std::vector<Target>&) { error_ = "not yet written"; return false; }
bool ListReader::ReadLine(std::string&) { return false; }
bool ListReader::AtEnd() const { return true; }

} // namespace korva::engine
