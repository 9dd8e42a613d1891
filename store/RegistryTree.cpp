#include "RegistryTree.h"

#include <algorithm>
#include <cctype>

namespace diglux {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool IsValidValueName(std::string_view name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

bool IsValidKeyPath(std::string_view path) {
    if (path.empty()) {
        return true;
    }
    const bool control = std::any_of(path.begin(), path.end(),
                                     [](unsigned char c) { return c < 0x20 || c == 0x7F; });
    if (control || path.front() == '\\' || path.back() == '\\') {
        return false;
    }
    return path.find("\\\\") == std::string_view::npos;
}

// Lower case, with the separator below every other character, so that a key's sub-keys sort
// right after it.
std::string RegistryTree::SortKey(std::string_view path) {
    std::string key(path);
    for (char& c : key) {
        c = c == '\\' ? '\x01' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

RegistryTree::Key* RegistryTree::FindKey(std::string_view path) {
    const auto it = keys_.find(SortKey(path));
    return it == keys_.end() ? nullptr : &it->second;
}

const RegistryTree::Key* RegistryTree::FindKey(std::string_view path) const {
    const auto it = keys_.find(SortKey(path));
    return it == keys_.end() ? nullptr : &it->second;
}

bool RegistryTree::HasKey(std::string_view path) const {
    return FindKey(path) != nullptr;
}

bool RegistryTree::HasSubKeys(std::string_view path) const {
    const std::string prefix = SortKey(path) + '\x01';
    const auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.starts_with(prefix);
}

bool RegistryTree::AddKey(std::string_view path) {
    if (HasKey(path)) {
        return false;
    }
    for (std::size_t at = path.find('\\'); at != std::string_view::npos;
         at = path.find('\\', at + 1)) {
        const std::string_view parent = path.substr(0, at);
        if (!HasKey(parent)) {
            keys_.emplace(SortKey(parent), Key{std::string(parent), {}, {}});
        }
    }
    keys_.emplace(SortKey(path), Key{std::string(path), {}, {}});
    return true;
}

bool RegistryTree::RemoveKey(std::string_view path) {
    if (!HasKey(path) || HasSubKeys(path)) {
        return false;
    }
    keys_.erase(SortKey(path));
    return true;
}

void RegistryTree::RemoveTree(std::string_view path) {
    const std::string key = SortKey(path);
    const std::string prefix = key + '\x01';
    keys_.erase(key);
    auto it = keys_.lower_bound(prefix);
    while (it != keys_.end() && it->first.starts_with(prefix)) {
        it = keys_.erase(it);
    }
}

std::string RegistryTree::Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

const RegistryValue* RegistryTree::Find(std::string_view path, std::string_view name) const {
    const Key* key = FindKey(path);
    if (key == nullptr) {
        return nullptr;
    }
    const auto it = key->index.find(Folded(name));
    return it == key->index.end() ? nullptr : &key->values[it->second].data;
}

bool RegistryTree::Set(std::string_view path, std::string_view name, const RegistryValue& data) {
    AddKey(path);
    Key& key = *FindKey(path);
    const auto [it, added] = key.index.emplace(Folded(name), key.values.size());
    if (added) {
        key.values.push_back({std::string(name), data});
        return true;
    }
    Value& value = key.values[it->second];
    if (value.data == data) {
        return false;
    }
    value.data = data;
    return true;
}

bool RegistryTree::Remove(std::string_view path, std::string_view name) {
    Key* key = FindKey(path);
    if (key == nullptr) {
        return false;
    }
    const auto it = key->index.find(Folded(name));
    if (it == key->index.end()) {
        return false;
    }
    const std::size_t position = it->second;
    key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(position));
    key->index.erase(it);
    for (auto& [folded, at] : key->index) {
        at -= at > position ? 1 : 0;
    }
    return true;
}

std::vector<const RegistryTree::Key*> RegistryTree::Keys() const {
    std::vector<const Key*> keys;
    keys.reserve(keys_.size());
    for (const auto& [sortKey, key] : keys_) {
        keys.push_back(&key);
    }
    return keys;
}

bool RegistryTree::operator==(const RegistryTree& other) const {
    if (keys_.size() != other.keys_.size()) {
        return false;
    }
    return std::equal(
        keys_.begin(), keys_.end(), other.keys_.begin(), [](const auto& a, const auto& b) {
            if (a.first != b.first || a.second.values.size() != b.second.values.size()) {
                return false;
            }
            return std::equal(a.second.values.begin(), a.second.values.end(),
                              b.second.values.begin(), [](const Value& x, const Value& y) {
                                  return x.name == y.name && x.data == y.data;
                              });
        });
}

} // namespace diglux
