// okaptool translate: the map translator with the fields of its dialog as
// options.

#include <iostream>
#include <string>

#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/translator_options.h"
#include "tools/okaptool/replace_answer.h"

namespace okap::tool {

int RunTranslate(int argc, char** argv) {
    std::vector<OptionDefinition> definitions = TranslatorOptionDefinitions();
    definitions.push_back({"maps", "DIR", "map file directory, where INPUT and OUTPUT are taken", "the current directory"});
    definitions.push_back({"replace", "", "replace an existing output file (without it, one is refused)", ""});
    Options options("okaptool translate INPUT OUTPUT [OPTIONS]", definitions);
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nTranslates the map file INPUT (.mpb binary or .mpa text) into OUTPUT: re-projected,\n"
                     "thinned to the resolution and cut to the selected region. OUTPUT is cut to its\n"
                     "first 8 characters and before any full stop or blank, and gets the extension\n"
                     ".mpa for the projection TEXT (\"Import/Export Text\") and .mpb for the others.\n"
                  << TranslatorOptionsHelp()
                  << "\nOn success the name of the written file is printed. Messages go to standard\n"
                     "error; the exit status is 0 on success, 1 when the translation failed and 2 for\n"
                     "wrong arguments.\n";
        return 0;
    }

    TranslatorSettings settings;
    settings.inputName = options.Operands()[0];
    settings.outputName = options.Operands()[1];
    if (!ReadTranslatorOptions(options, settings)) return 2;

    AnswerReplaceWith(options.Has("replace"));
    if (std::optional<std::string> maps = options.Value("maps"); maps && SetWD(*maps) != 0) {
        ShowError("Map file path does not exist");
        return 1;
    }

    TranslationSummary summary;
    if (!TranslateMap(settings, {}, &summary)) return 1;
    std::cout << summary.outputFile << '\n';
    // An input that yields nothing says so.
    if (summary.segmentsWritten == 0) std::cerr << TranslationDoneText(summary) << '\n';
    return 0;
}

}  // namespace okap::tool
