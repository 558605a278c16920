#include "guard/protection/PolicyFiles.h"

#include "guard/platform/CommandLine.h"

namespace qv::protection {

bool inEffect(platform::Registry& registry, std::span<const RegistryExpectation> effect) {
    using Kind = RegistryExpectation::Kind;
    using Type = platform::RegistryValue::Type;
    for (const RegistryExpectation& expected : effect) {
        if (expected.kind == Kind::NoKey) {
            if (registry.keyExists(expected.path)) return false;
            continue;
        }
        std::optional<platform::RegistryValue> value = registry.readValue(expected.path);
        bool holds = false;
        switch (expected.kind) {
            case Kind::Number:
                holds = value && value->type == Type::Number && value->number == expected.number;
                break;
            case Kind::Text:
                holds = value && value->type == Type::String && value->text == expected.text;
                break;
            case Kind::NoValue:
            case Kind::NoKey:
                holds = !value;
                break;
        }
        if (!holds) return false;
    }
    return true;
}

std::string importArguments(const std::string& path) {
    return "/s " + platform::argument(path);
}

std::string missingPolicyFileMessage(const std::string& file) {
    return "命令未能执行：找不到注册表文件 " + file + "，请把它放回程序所在的文件夹。";
}

std::string editorNotStartedMessage(const std::string& description) {
    return std::string("命令未能执行：无法启动注册表编辑器 ") + kRegistryEditor + "。\r\n原因：" +
           description;
}

std::string importNotDoneMessage(const std::string& file, const std::string& reason) {
    return "命令未能完成：" + file + " 中的设置没有生效。\r\n" + reason;
}

}  // namespace qv::protection
