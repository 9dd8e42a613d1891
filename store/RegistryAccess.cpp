#include "RegistryAccess.h"

#include "store/RegistryPath.h"

namespace diglux {
namespace {

using Stored = diglux::RegistryValue;

std::string UpToZero(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::string TextOf(const Stored& stored) {
    return std::string(stored.data.begin(), stored.data.end());
}

DynamicValue::Texts SplitAtZeros(std::string data) {
    while (!data.empty() && data.back() == '\0') {
        data.pop_back();
    }
    DynamicValue::Texts texts;
    if (data.empty()) {
        return texts;
    }
    std::size_t start = 0;
    for (std::size_t zero = data.find('\0'); zero != std::string::npos;
         zero = data.find('\0', start)) {
        texts.push_back(data.substr(start, zero - start));
        start = zero + 1;
    }
    texts.push_back(data.substr(start));
    return texts;
}

Stored DWord(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {RegistryType::DWord,
            {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
             static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)}};
}

Stored Text(const std::string& text) {
    Stored stored{RegistryType::String, {}};
    const std::string cut = UpToZero(text);
    stored.data.assign(cut.begin(), cut.end());
    stored.data.push_back(0);
    return stored;
}

Stored TextList(const DynamicValue::Texts& texts) {
    Stored stored{RegistryType::MultiString, {}};
    for (const std::string& text : texts) {
        const std::string cut = UpToZero(text);
        if (!cut.empty()) {
            stored.data.insert(stored.data.end(), cut.begin(), cut.end());
            stored.data.push_back(0);
        }
    }
    stored.data.push_back(0);
    return stored;
}

} // namespace

DynamicValue FromStored(const Stored& stored) {
    switch (stored.type) {
    case RegistryType::String:
        return UpToZero(TextOf(stored));
    case RegistryType::MultiString:
        return SplitAtZeros(TextOf(stored));
    case RegistryType::Binary:
        return DynamicValue::Bytes(stored.data);
    case RegistryType::DWord: {
        // Four bytes are asked for: shorter data leaves the high bytes 0, longer data fails.
        if (stored.data.size() > 4) {
            return {};
        }
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < stored.data.size(); ++i) {
            bits |= static_cast<std::uint32_t>(stored.data[i]) << (8 * i);
        }
        return static_cast<std::int32_t>(bits);
    }
    default:
        return {};
    }
}

Stored ToStored(const DynamicValue& value) {
    struct Visitor {
        Stored operator()(std::int16_t v) const { return DWord(v); }
        Stored operator()(std::int32_t v) const { return DWord(v); }
        Stored operator()(std::uint8_t v) const { return DWord(v); }
        Stored operator()(const std::string& v) const { return Text(v); }
        Stored operator()(const DynamicValue::Texts& v) const { return TextList(v); }
        Stored operator()(const DynamicValue::Bytes& v) const {
            return Stored{RegistryType::Binary, v};
        }
        // Every other value is stored by its text form.
        Stored operator()(std::monostate) const { return Text(""); }
        Stored operator()(double v) const { return Text(*DynamicValue(v).TextForm()); }
    };
    return std::visit(Visitor{}, value.Get());
}

RegistryAccess::RegistryAccess(RegistryBackend& backend) : backend_(backend) {}

DynamicValue RegistryAccess::RegistryValue(const std::string& path) {
    const RegistryPath where = SplitRegistryPath(path);
    if (!where.root) {
        return {};
    }
    const auto key = backend_.OpenKey(*where.root, where.keyPath, false);
    if (!key) {
        return {};
    }
    const auto stored = backend_.QueryValue(*key, where.valueName);
    backend_.CloseKey(*key);
    return stored ? FromStored(*stored) : DynamicValue();
}

void RegistryAccess::RegistrySet(const std::string& path, const DynamicValue& value) {
    const RegistryPath where = SplitRegistryPath(path);
    if (!where.root) {
        return;
    }
    const auto key = backend_.CreateKey(*where.root, where.keyPath);
    if (!key) {
        return;
    }
    backend_.SetValue(*key, where.valueName, ToStored(value));
    backend_.CloseKey(*key);
}

bool RegistryAccess::RegDeleteKeyPath(const std::string& path) {
    std::string whole = TrimBlanks(path);
    if (!whole.ends_with('\\')) {
        whole += '\\';
    }
    const RegistryPath where = SplitRegistryPath(whole);
    return where.root && backend_.DeleteKey(*where.root, where.keyPath);
}

bool RegistryAccess::RegDeleteValuePath(const std::string& path) {
    const RegistryPath where = SplitRegistryPath(path);
    if (!where.root) {
        return false;
    }
    const auto key = backend_.OpenKey(*where.root, where.keyPath, true);
    if (!key) {
        return false;
    }
    const bool deleted = backend_.DeleteValue(*key, where.valueName);
    backend_.CloseKey(*key);
    return deleted;
}

} // namespace diglux
