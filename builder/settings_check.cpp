#include "settings_check.h"

#include <cstring>

#include <set>
#include <system_error>

#include "build_error.h"
#include "option_rules.h"
#include "file_io.h"
#include "folder_checks.h"
#include "folder_listing.h"
#include "image_types.h"
#include "option_values.h"
#include "viewer_file.h"
#include "windows_text.h"

namespace {

int Refuse(FieldProblem& problem, Field field, const std::string& message)
{
    problem.field = field;
    problem.message = message;
    return 0;
}

std::string Quoted(const std::string& utf8)
{
    return "\"" + utf8 + "\"";
}

// A file the author chose: it must be there and be a file.
std::string FileProblem(const std::string& utf8Path)
{
    std::error_code error;
    fs::path path = PathFromUtf8(utf8Path);
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return Quoted(utf8Path) + " does not exist.";
    if (!fs::is_regular_file(status))
        return Quoted(utf8Path) + " is not a file.";
    if (fs::file_size(path, error) == 0 && !error)
        return Quoted(utf8Path) + " is empty.";
    return std::string();
}

std::string PictureProblem(const std::string& utf8Path)
{
    std::string problem = FileProblem(utf8Path);
    if (!problem.empty())
        return problem;
    try {
        problem = ImageProblem(PathFromUtf8(utf8Path));
    } catch (const BuildError& failure) {
        return std::string(failure.what()) + ".";
    }
    return problem.empty() ? problem : Quoted(utf8Path) + ": " + problem + ".";
}

std::string LicenceProblem(const std::string& utf8Path)
{
    std::string problem = FileProblem(utf8Path);
    if (!problem.empty())
        return problem;
    std::string text;
    try {
        std::string raw = ReadSmallFile(PathFromUtf8(utf8Path), LICENCE_TEXT_MAX, "licence text file");
        problem = ConvertWindowsText(raw, text);
    } catch (const BuildError& failure) {
        return std::string(failure.what()) + ".";
    }
    if (!problem.empty())
        return Quoted(utf8Path) + " is not a text file the viewer can show: " + problem + ".";
    return std::string();
}

// The window's current folder is wherever the shortcut started it: a path
// relative to it would land in the installation folder.
const Field PATH_FIELDS[] = {FIELD_SOURCE, FIELD_OUTPUT, FIELD_LICENCE, FIELD_BACKGROUND, FIELD_LOGO, FIELD_FONT_FILE};

int CheckFullPaths(const ProjectSettings& settings, FieldProblem& problem)
{
    for (Field field : PATH_FIELDS) {
        const std::string& path = settings[field];
        if (!path.empty() && !PathFromUtf8(path).is_absolute())
            return Refuse(problem, field,
                          Quoted(path) + " is not a full path: give it with its drive, as Browse... does.");
    }
    return 1;
}

int CheckFolders(const ProjectSettings& settings, FieldProblem& problem)
{
    const std::string& source = settings[FIELD_SOURCE];
    const std::string& output = settings[FIELD_OUTPUT];
    std::error_code error;
    if (source.empty())
        return Refuse(problem, FIELD_SOURCE, "choose the folder whose files go onto the disc.");
    if (output.empty())
        return Refuse(problem, FIELD_OUTPUT, "choose the folder the disc is written into.");
    if (!CheckFullPaths(settings, problem))
        return 0;
    fs::path sourcePath = PathFromUtf8(source);
    if (!fs::is_directory(sourcePath, error))
        return Refuse(problem, FIELD_SOURCE, Quoted(source) + " does not exist or is not a folder.");
    if (ListFolder(sourcePath, error).empty())
        return Refuse(problem, FIELD_SOURCE,
                      error ? "cannot read " + Quoted(source) + ": " + error.message() + "."
                            : Quoted(source) + " is empty: there is nothing to put onto the disc.");
    fs::path outputPath = PathFromUtf8(output);
    if (fs::exists(outputPath, error) && !fs::is_directory(outputPath, error))
        return Refuse(problem, FIELD_OUTPUT, Quoted(output) + " is a file, not a folder.");
    fs::path resolvedSource = fs::weakly_canonical(fs::absolute(sourcePath, error), error);
    fs::path resolvedOutput = fs::weakly_canonical(fs::absolute(outputPath, error), error);
    if (error)
        return Refuse(problem, FIELD_OUTPUT, "cannot resolve " + Quoted(output) + ": " + error.message() + ".");
    if (IsSameOrInside(resolvedOutput.lexically_normal(), resolvedSource.lexically_normal()))
        return Refuse(problem, FIELD_OUTPUT,
                      Quoted(output) + " lies inside the source folder; the disc would read its own output.");
    if (IsSameOrInside(resolvedSource.lexically_normal(), resolvedOutput.lexically_normal()))
        return Refuse(problem, FIELD_OUTPUT,
                      "the source folder lies inside " + Quoted(output) + "; keep the disc apart from its source.");
    return 1;
}

int CheckFiles(const ProjectSettings& settings, FieldProblem& problem)
{
    if (settings[FIELD_USE_PASSWORD] == "1" && settings[FIELD_PASSWORD].empty())
        return Refuse(problem, FIELD_PASSWORD,
                      "this disc has a password, and the project file does not keep passwords. Type it in both "
                      "fields, or untick Password to build a disc that anyone can open.");
    if (settings[FIELD_PASSWORD] != settings[FIELD_CONFIRM])
        return Refuse(problem, FIELD_CONFIRM, "the two passwords differ; type the same password in both fields.");
    std::string found;
    if (!settings[FIELD_LICENCE].empty() && !(found = LicenceProblem(settings[FIELD_LICENCE])).empty())
        return Refuse(problem, FIELD_LICENCE, found);
    if (!settings[FIELD_BACKGROUND].empty() && !(found = PictureProblem(settings[FIELD_BACKGROUND])).empty())
        return Refuse(problem, FIELD_BACKGROUND, found);
    if (!settings[FIELD_LOGO].empty() && !(found = PictureProblem(settings[FIELD_LOGO])).empty())
        return Refuse(problem, FIELD_LOGO, found);
    if (!settings[FIELD_SPLASH_TEXT].empty()) {
        std::string text;
        found = ConvertSplashText(settings[FIELD_SPLASH_TEXT], text);
        if (!found.empty())
            return Refuse(problem, FIELD_SPLASH_TEXT, found + ".");
        uint32_t colour = 0;
        int32_t dx = 0, dy = 0;
        if (!settings[FIELD_SHADOW_COLOUR].empty() && !ParseColour(settings[FIELD_SHADOW_COLOUR], colour))
            return Refuse(problem, FIELD_SHADOW_COLOUR, "expected #RRGGBB or R,G,B, or nothing for no shadow.");
        if (!settings[FIELD_SHADOW_COLOUR].empty() && !ParsePoint(settings[FIELD_SHADOW_OFFSET], dx, dy))
            return Refuse(problem, FIELD_SHADOW_OFFSET, "expected DX,DY in pixels, e.g. 2,2.");
    }
    const std::string& font = settings[FIELD_FONT_FILE];
    const std::string& face = settings[FIELD_FONT_FACE];
    if (!font.empty() && !(found = FileProblem(font)).empty())
        return Refuse(problem, FIELD_FONT_FILE, found);
    if (!font.empty() && face.empty())
        return Refuse(problem, FIELD_FONT_FACE,
                      "give the face name of the font in " + Quoted(font) + ", as Windows shows it.");
    if (font.empty() && !face.empty())
        return Refuse(problem, FIELD_FONT_FILE, "choose the font file that holds the face " + Quoted(face) + ".");
    return 1;
}

// Every field through mkdisc's rule for its option, as its command line would
// apply it; a problem stays on the field it came from.
bool ApplyFields(const ProjectSettings& settings, DiscOptions& options, FieldProblem& problem)
{
    std::vector<OptionRule> rules = OptionTable(options);
    std::vector<FieldArgument> args = FieldArguments(settings);
    std::set<std::string> seen;
    size_t failedAt = args.size();
    std::string failure;
    for (size_t i = 0; i < args.size(); ++i) {
        const FieldArgument& arg = args[i];
        const OptionRule* rule = FindOptionRule(rules, arg.option);
        std::string found = rule ? rule->handle(arg.value.value_or(std::string()))
                                 : std::string("the option ") + arg.option + " is unknown";
        if (!found.empty() && failedAt == args.size()) {
            failedAt = i;
            failure = found;
        }
        seen.insert(arg.option);
    }
    // The title and password as the disc's kind keeps them (known once every
    // field is read); a problem of theirs comes first when their field does.
    const char* option = "";
    std::string settled = SettleTexts(options, &option);
    size_t settledAt = args.size();
    for (size_t i = 0; i < args.size() && !settled.empty(); ++i) {
        if (strcmp(args[i].option, option) == 0) {
            settledAt = i;
            break;
        }
    }
    if (!settled.empty() && settledAt < failedAt) {
        Refuse(problem, args[settledAt].field, settled + ".");
        return false;
    }
    if (failedAt < args.size()) {
        Refuse(problem, args[failedAt].field, failure + (failure.back() == '.' ? "" : "."));
        return false;
    }
    std::string combination = CheckCombinations(seen, options);
    if (!combination.empty()) {
        Refuse(problem, FIELD_NONE, combination + ".");
        return false;
    }
    options.sourceDir = settings[FIELD_SOURCE];
    options.outputDir = settings[FIELD_OUTPUT];
    return true;
}

}  // namespace

std::vector<FieldArgument> FieldArguments(const ProjectSettings& s)
{
    std::vector<FieldArgument> args;
    auto add = [&args](Field field, const char* option, const std::string& value) {
        args.push_back({field, option, value});
    };
    auto flag = [&args, &s](Field field, const char* option) {
        if (s[field] == "1")
            args.push_back({field, option, std::nullopt});
    };
    if (!s[FIELD_TITLE].empty())
        add(FIELD_TITLE, "--label", s[FIELD_TITLE]);
    if (!s[FIELD_PASSWORD].empty()) {
        add(FIELD_PASSWORD, "--password", s[FIELD_PASSWORD]);
        add(FIELD_PROTECTION, "--protection", s[FIELD_PROTECTION]);
    }
    if (!s[FIELD_LICENCE].empty())
        add(FIELD_LICENCE, "--eula", s[FIELD_LICENCE]);
    if (!s[FIELD_BACKGROUND].empty()) {
        add(FIELD_BACKGROUND, "--background", s[FIELD_BACKGROUND]);
        add(FIELD_BACKGROUND_PLACEMENT, "--background-mode", s[FIELD_BACKGROUND_PLACEMENT]);
    }
    add(FIELD_BACK_COLOUR, "--back-color", s[FIELD_BACK_COLOUR]);
    if (!s[FIELD_LOGO].empty()) {
        add(FIELD_LOGO, "--logo", s[FIELD_LOGO]);
        add(FIELD_LOGO_PLACEMENT, "--logo-pos", s[FIELD_LOGO_PLACEMENT]);
        if (!s[FIELD_LOGO_KEY].empty())
            add(FIELD_LOGO_KEY, "--logo-key", s[FIELD_LOGO_KEY]);
    }
    const std::string& text = s[FIELD_SPLASH_TEXT];
    if (!text.empty()) {
        // mkdisc reads "@NAME" as a file; "@@" keeps a leading '@' of the text.
        add(FIELD_SPLASH_TEXT, "--splash-text", text[0] == '@' ? "@" + text : text);
        add(FIELD_TEXT_PLACEMENT, "--text-pos", s[FIELD_TEXT_PLACEMENT]);
        add(FIELD_TEXT_COLOUR, "--text-color", s[FIELD_TEXT_COLOUR]);
        add(FIELD_TEXT_HEIGHT, "--font-height", s[FIELD_TEXT_HEIGHT]);
        if (!s[FIELD_SHADOW_COLOUR].empty()) {
            // --shadow joins two fields: a problem is the offset's once the colour is sound.
            uint32_t colour = 0;
            add(ParseColour(s[FIELD_SHADOW_COLOUR], colour) ? FIELD_SHADOW_OFFSET : FIELD_SHADOW_COLOUR, "--shadow",
                s[FIELD_SHADOW_COLOUR] + "," + s[FIELD_SHADOW_OFFSET]);
        }
    }
    if (!s[FIELD_FONT_FILE].empty())
        add(FIELD_FONT_FILE, "--font", s[FIELD_FONT_FILE]);
    if (!s[FIELD_FONT_FACE].empty())
        add(FIELD_FONT_FACE, "--font-face", s[FIELD_FONT_FACE]);
    flag(FIELD_NO_EXPORT, "--no-export");
    flag(FIELD_CLEAR_RECENT, "--clear-recent");
    flag(FIELD_HIDE_TITLE, "--hide-title");
    if (s[FIELD_BROWSER_READER] != "1")
        args.push_back({FIELD_BROWSER_READER, "--no-browser-reader", std::nullopt});
    return args;
}

std::vector<std::string> SettingsToArguments(const ProjectSettings& settings)
{
    std::vector<std::string> args;
    for (const FieldArgument& arg : FieldArguments(settings)) {
        args.push_back(arg.option);
        if (arg.value)
            args.push_back(*arg.value);
    }
    // The folders come last, after "--": a folder name may begin with '-'.
    args.push_back("--");
    args.push_back(settings[FIELD_SOURCE]);
    args.push_back(settings[FIELD_OUTPUT]);
    return args;
}

int CheckSettings(const ProjectSettings& settings, DiscOptions& options, FieldProblem& problem)
{
    if (!CheckFolders(settings, problem))
        return 0;
    // mkdisc's option rules check title, password, colours, placements and
    // heights, each field through the rule of its option; the files are
    // looked at here. Of two problems the one higher up in the window is named.
    DiscOptions parsed;
    FieldProblem lineProblem;
    FieldProblem fileProblem;
    bool lineSound = ApplyFields(settings, parsed, lineProblem);
    bool filesSound = CheckFiles(settings, fileProblem) == 1;
    if (!lineSound || !filesSound) {
        problem = !lineSound && (filesSound || lineProblem.field <= fileProblem.field) ? lineProblem : fileProblem;
        return 0;
    }
    try {
        DefaultViewerPath();
    } catch (const BuildError&) {
        return Refuse(problem, FIELD_NONE,
                      "the viewer discview.dll, which every disc gets a copy of, is not beside the disc "
                      "builder. Install Arcseal 3 again to get it back.");
    }
    options = parsed;
    return 1;
}

std::string ProblemText(const FieldProblem& problem)
{
    const FieldInfo* info = FindField(problem.field);
    std::string message = problem.message;
    if (!info) {
        if (!message.empty() && message[0] >= 'a' && message[0] <= 'z')
            message[0] = (char)(message[0] - 'a' + 'A');
        return message;
    }
    return std::string(info->label) + ": " + message;
}
