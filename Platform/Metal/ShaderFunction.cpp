#include "Metal/ShaderFunction.hpp"

#include <map>
#include <mutex>

namespace Metal {

namespace {
struct Table {
    std::mutex mutex;
    std::map<std::string, ShaderFunctionEntry, std::less<>> entries;
};
Table& table() {
    static Table t;
    return t;
}
}  // namespace

void ShaderFunctionRegistry::add(ShaderFunctionEntry entry) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    std::string name = entry.name;
    t.entries[name] = std::move(entry);
}

std::optional<ShaderFunctionEntry> ShaderFunctionRegistry::find(std::string_view name) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(name);
    if (it == t.entries.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> ShaderFunctionRegistry::names() {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    std::vector<std::string> out;
    for (auto& [name, entry] : t.entries) out.push_back(name);
    return out;
}

RegisterShader::RegisterShader(const char* name, VertexFunction fn) {
    ShaderFunctionRegistry::add({name, MTLFunctionType::vertex, fn, nullptr, nullptr});
}
RegisterShader::RegisterShader(const char* name, FragmentFunction fn) {
    ShaderFunctionRegistry::add({name, MTLFunctionType::fragment, nullptr, fn, nullptr});
}
RegisterShader::RegisterShader(const char* name, ColorEffectFunction fn) {
    ShaderFunctionRegistry::add({name, MTLFunctionType::visible, nullptr, nullptr, fn});
}

}  // namespace Metal
