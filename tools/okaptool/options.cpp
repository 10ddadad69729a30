#include "tools/okaptool/options.h"

#include <cmath>
#include <cstdint>
#include <iostream>

#include "core/number_text.h"
#include "mapfiles/mapfile.h"

namespace okap::tool {

Options::Options(std::string usageText, std::vector<OptionDefinition> optionDefinitions)
    : usage(std::move(usageText)), definitions(std::move(optionDefinitions)) {}

const OptionDefinition* Options::Find(std::string_view name) const {
    for (const OptionDefinition& option : definitions)
        if (option.name == name) return &option;
    return nullptr;
}

bool Options::Parse(int argc, char** argv, size_t minOperands, size_t maxOperands) {
    for (int i = 0; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return true;
        }
        if (arg.size() < 2 || arg.substr(0, 2) != "--" || arg == "--") {
            operands.emplace_back(arg);
            continue;
        }
        std::string_view body = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (size_t equals = body.find('='); equals != std::string_view::npos) {
            inlineValue = std::string(body.substr(equals + 1));
            body = body.substr(0, equals);
        }
        const OptionDefinition* option = Find(body);
        if (!option) {
            std::cerr << "okaptool: unknown option --" << body << " (see --help)\n";
            return false;
        }
        if (option->valueName.empty()) {
            if (inlineValue) {
                std::cerr << "okaptool: option --" << body << " takes no value\n";
                return false;
            }
            values[option->name] = "";
        } else if (inlineValue) {
            values[option->name] = *inlineValue;
        } else if (i + 1 < argc) {
            values[option->name] = argv[++i];
        } else {
            std::cerr << "okaptool: option --" << body << " needs a value " << option->valueName << '\n';
            return false;
        }
    }
    if (operands.size() < minOperands || operands.size() > maxOperands) {
        std::cerr << "okaptool: wrong number of arguments\nUsage: " << usage << '\n';
        return false;
    }
    return true;
}

void Options::PrintHelp() const {
    std::cout << "Usage: " << usage << "\n\nOptions:\n";
    for (const OptionDefinition& option : definitions) {
        std::string left = "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
        std::cout << "  " << left << std::string(left.size() < 24 ? 24 - left.size() : 1, ' ') << option.help;
        if (!option.defaultText.empty()) std::cout << " (default " << option.defaultText << ")";
        std::cout << '\n';
    }
    std::cout << "  --help                  show this help\n";
}

std::optional<std::string> Options::Value(std::string_view name) const {
    auto it = values.find(std::string(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::optional<double> Options::Degrees(std::string_view name, double defaultDegrees) const {
    std::optional<std::string> text = Value(name);
    if (!text) return defaultDegrees;
    // A script deserves an error for a mistyped number rather than the
    // dialog's silent zero.
    if (std::optional<double> value = ReadWholeDouble(*text)) return value;
    std::cerr << "okaptool: --" << name << " needs a number of degrees, not '" << *text << "'\n";
    return std::nullopt;
}

std::optional<int32_t> Options::MaxPoints() const {
    std::optional<std::string> text = Value("max-points");
    if (!text) return 0;
    const std::optional<double> value = ReadWholeDouble(*text);
    if (value && *value == std::floor(*value) && *value <= INT32_MAX && (*value == 0 || *value >= kMinMaxPoints))
        return static_cast<int32_t>(*value);
    std::cerr << "okaptool: --max-points needs 0 or a whole number of at least " << kMinMaxPoints << ", not '"
              << *text << "'\n";
    return std::nullopt;
}

OptionDefinition MaxPointsOption() {
    return {"max-points", "N",
            "write no segment of more than N points: longer lines in consecutive pieces sharing their end points, "
            "larger areas in tiles that fill seamlessly (0: any length)",
            "0"};
}

}  // namespace okap::tool
