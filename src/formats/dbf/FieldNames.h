#pragma once
// Finding a field by name: the exact name first, then the same name in other
// letter case (dBase field names do not depend on case). No allocation per
// lookup.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace enlazora::formats::dbf {

class FieldNames {
 public:
  explicit FieldNames(std::vector<std::string> names);
  std::optional<std::size_t> find(std::string_view name) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::vector<std::string> names_;
  std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> exact_;
};

}  // namespace enlazora::formats::dbf
