#pragma once
// Command-line options of the okaptool commands: "--name VALUE",
// "--name=VALUE" and flags, with a help text made from the same table.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace okap::tool {

struct OptionSpec {
    std::string name;         // without the leading "--"
    std::string valueName;    // empty for a flag
    std::string help;
    std::string defaultText;  // shown in the help; empty for none
};

class Options {
public:
    Options(std::string usage, std::vector<OptionSpec> specs);

    // Reads the arguments. False, after a message on standard error, when
    // an option is unknown, lacks its value or there are too few or too many
    // operands. "--help" sets HelpAsked and returns true.
    bool Parse(int argc, char** argv, size_t minOperands, size_t maxOperands);

    bool HelpAsked() const { return helpAsked; }
    void PrintHelp() const;

    bool Has(std::string_view name) const { return values.count(std::string(name)) != 0; }
    std::optional<std::string> Value(std::string_view name) const;
    const std::vector<std::string>& Operands() const { return operands; }

    // The value read as decimal degrees, or defaultDegrees when absent. An
    // option value that is not wholly a number is refused with a message.
    std::optional<double> Degrees(std::string_view name, double defaultDegrees) const;

private:
    const OptionSpec* Find(std::string_view name) const;

    std::string usage;
    std::vector<OptionSpec> specs;
    std::map<std::string, std::string> values;
    std::vector<std::string> operands;
    bool helpAsked = false;
};

}  // namespace okap::tool
