#pragma once
// Command-line options of the okaptool commands: "--name VALUE",
// "--name=VALUE" and flags, with a help text made from the same table.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace okap::tool {

struct OptionDefinition {
    std::string name;         // without the leading "--"
    std::string valueName;    // empty for a flag
    std::string help;
    std::string defaultText;  // shown in the help; empty for none
};

class Options {
public:
    Options(std::string usage, std::vector<OptionDefinition> definitions);

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
    // The value of --max-points (see MaxPointsOption), 0 when absent; a
    // value that is not 0 or a whole number from kMinMaxPoints up is refused
    // with a message.
    std::optional<int32_t> MaxPoints() const;

private:
    const OptionDefinition* Find(std::string_view name) const;

    std::string usage;
    std::vector<OptionDefinition> definitions;
    std::map<std::string, std::string> values;
    std::vector<std::string> operands;
    bool helpAsked = false;
};

// "--max-points N", for the commands that write map files: the translator's
// limit on the points a written segment may have.
OptionDefinition MaxPointsOption();

}  // namespace okap::tool
