#include "core/checker/Options.h"

#include "core/Paths.h"
#include "core/checker/IniScan.h"

const char kCheckUsage[] = "usage: tolvan-check [--as NAME] [--preview FILE.bmp] [DIR]\n";

namespace {

std::string ApplicationNameFor(const std::string& name, LeadByteTest isLeadByte)
{
    const std::string extension = ".exe";
    const bool hasExtension = name.size() > extension.size() &&
                              SameName(name.substr(name.size() - extension.size()), extension);
    char applicationName[kPathBufferSize];
    ApplicationNameFromModulePath((hasExtension ? name : name + extension).c_str(), applicationName, isLeadByte);
    return applicationName;
}

}  // namespace

CheckOptions ParseCheckArguments(const std::vector<std::string>& arguments, LeadByteTest isLeadByte)
{
    CheckOptions options;
    bool haveDirectory = false;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--as") {
            if (!hasValue || arguments[i + 1].empty())
                options.error = "--as needs a NAME";
            else if (FindLastSeparator(arguments[i + 1].data(), arguments[i + 1].size(), "\\/:", isLeadByte) !=
                     kNoSeparator)
                options.error = "--as takes a file name without a folder: " + arguments[i + 1];
            else
                options.applicationName = ApplicationNameFor(arguments[++i], isLeadByte);
        } else if (argument == "--preview") {
            if (!hasValue || arguments[i + 1].empty())
                options.error = "--preview needs a FILE.bmp";
            else
                options.previewFile = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            options.error = "unknown option " + argument;
        } else if (haveDirectory) {
            options.error = "one DIR only: " + argument;
        } else {
            options.directory = argument;
            haveDirectory = true;
        }
    }
    return options;
}
