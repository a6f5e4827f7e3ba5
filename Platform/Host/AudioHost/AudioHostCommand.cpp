#include "Host/AudioHost/AudioHostCommand.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Foundation/NumberText.hpp"
#include "Foundation/MissingOptionValue.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EditorPresets.hpp"
#include "Host/AudioHost/ExitStatus.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/ParameterSetup.hpp"
#include "Host/AudioHost/QuotedText.hpp"
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

namespace {

const char* unitName(AudioToolbox::AudioUnitParameterUnit unit) {
    using U = AudioToolbox::AudioUnitParameterUnit;
    static const std::map<U, const char*> names = {
        {U::generic, "generic"},       {U::indexed, "indexed"},         {U::boolean, "boolean"},
        {U::percent, "percent"},       {U::seconds, "seconds"},         {U::sampleFrames, "samples"},
        {U::phase, "phase"},           {U::rate, "rate"},               {U::hertz, "hertz"},
        {U::cents, "cents"},           {U::relativeSemiTones, "semitones"}, {U::midiNoteNumber, "MIDI note"},
        {U::midiController, "MIDI controller"}, {U::decibels, "decibels"}, {U::linearGain, "linear gain"},
        {U::degrees, "degrees"},       {U::pan, "pan"},                 {U::meters, "meters"},
        {U::absoluteCents, "absolute cents"}, {U::octaves, "octaves"}, {U::BPM, "BPM"},
        {U::beats, "beats"},           {U::milliseconds, "milliseconds"}, {U::ratio, "ratio"},
        {U::customUnit, "custom"},
    };
    auto it = names.find(unit);
    return it == names.end() ? "other" : it->second;
}

double parseNumber(const std::string& option, const std::string& text) {
    auto value = Foundation::NumberText::parseDouble(text);
    if (!value || !std::isfinite(*value)) throw BadInput(option + " needs a number, not " + quotedText(text));
    return *value;
}

std::uint32_t parseFrames(const std::string& text) {
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range && end == text.data() + text.size()) return std::numeric_limits<std::uint32_t>::max();
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        throw BadInput("--block needs a whole number of frames, not " + quotedText(text));
    return std::uint32_t(std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

std::pair<int, int> parseTimeSignature(const std::string& text) {
    int n = 0, d = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto [slash, e1] = std::from_chars(begin, end, n);
    bool ok = e1 == std::errc() && slash < end && *slash == '/';
    if (ok) {
        auto [last, e2] = std::from_chars(slash + 1, end, d);
        ok = e2 == std::errc() && last == end;
    }
    if (!ok || n < 1 || d < 1 || (d & (d - 1)) != 0 || d > 64)
        throw BadInput("--time-signature needs N/D with N at least 1 and D a power of two up to 64, not " + quotedText(text));
    return {n, d};
}

const char* unitSuffix(AudioToolbox::AudioUnitParameterUnit unit) {
    using U = AudioToolbox::AudioUnitParameterUnit;
    switch (unit) {
        case U::milliseconds: return " ms";
        case U::seconds: return " s";
        case U::percent: return " %";
        case U::hertz: return " Hz";
        case U::decibels: return " dB";
        case U::BPM: return " BPM";
        case U::sampleFrames: return " samples";
        default: return "";
    }
}

// What choosing a preset does, in the parameters' own names: the values it sets away from the
// defaults or, when it draws new values on every choice (one draw or several), the parameters
// it draws them for.
std::string describePreset(const AudioToolbox::AUParameterTree* tree, const ParameterSetup::Values& defaults,
                           const std::vector<ParameterSetup::Values>& draws) {
    std::string text, drawn;
    std::vector<std::string> changing;
    const bool drawing = draws.size() > 1;
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        const auto parameter = tree ? tree->parameter(defaults[i].first) : nullptr;
        if (!parameter) continue;
        const bool set = std::any_of(draws.begin(), draws.end(), [&](const auto& d) { return d[i].second != defaults[i].second; });
        if (set && drawing) changing.push_back(parameter->displayName());
        else if (set) text += (text.empty() ? "" : ", ") + parameter->displayName() + " " + floatText(draws.front()[i].second) + unitSuffix(parameter->unit());
    }
    if (!changing.empty()) {
        drawn = changing.size() > 2 ? changing.front() + " ... " + changing.back() : changing.front() + (changing.size() > 1 ? ", " + changing.back() : "");
        text += (text.empty() ? "" : ", ") + std::string("new ") + drawn + " each time";
    }
    return text.empty() ? "the defaults" : text;
}

}  // namespace

const char* AudioHostCommand::usage() {
    return "usage: auhost render [options] INPUT OUTPUT   run INPUT through the effect and write what it sent\n"
           "       auhost params                          print the effect's parameters\n"
           "       auhost presets                         print the effect's factory presets\n"
           "       auhost list                            print the Audio Unit extensions found\n"
           "       auhost edit [options]                  open the effect's editor in a window\n"
           "\n"
           "The effect is the extension bundle (.appex) in the built application's PlugIns folder,\n"
           "or the one --extension PATH names (a bundle or a folder of bundles), on any command;\n"
           "an extension is hosted only from inside an application's Contents/PlugIns folder.\n"
           "\n"
           "INPUT and OUTPUT are both MIDI files (.mid, format 0 or 1) or both event lists (.txt):\n"
           "one event per line, \"SAMPLE_TIME HH HH HH\" (MIDI bytes in hex) or\n"
           "\"SAMPLE_TIME param ADDRESS VALUE\" (a value in the parameter's range); '#' starts a comment;\n"
           "times must not decrease.\n"
           "\n"
           "render options:\n"
           "  --preset NAME            start from a factory preset\n"
           "  --set IDENTIFIER=VALUE   set a parameter (repeatable, applied after the preset)\n"
           "  --bypass                 bypass the effect\n"
           "  --sample-rate HZ         sample rate, 8000...384000 (default 44100)\n"
           "  --block FRAMES           frames per render cycle, 1...8192 (default 512)\n"
           "  --tempo BPM              tempo, 1...1000 (default: the file's tempo map, else 120)\n"
           "  --time-signature N/D     time signature (default: the file's, else 4/4)\n"
           "  --start-beat B           beat position of the first sample, -1e6...1e6 (default 0)\n"
           "\n"
           "edit options:\n"
           "  --play FILE              play a MIDI file through the unit in real time; in a window\n"
           "                           it plays over and over, as a host's cycle does\n"
           "  --snapshot FILE.png      write the window's picture after --seconds and quit\n"
           "  --size WxH               window size in points, 1...8192 each; the editor scales into it\n"
           "                           (default: the editor's own)\n"
           "  --preset NAME            open the editor with a factory preset chosen\n"
           "  --seconds S              how long to run (default: until the window closes; with\n"
           "                           --snapshot, 2 with --play, else 0; offscreen with --play\n"
           "                           alone, until the song ends)\n"
           "\n"
           "--help or -h, with any command, prints this text.\n"
           "\n"
           "Exit status: 0 done; 1 the effect failed; 2 bad input, options or files, or output that\n"
           "could not be written.\n";
}

bool AudioHostCommand::asksForUsage(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments[0] == "help") return true;
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int AudioHostCommand::showUsage(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << usage();
        return ExitStatus::badInput;
    }
    out << usage();
    return ExitStatus::success;
}

int AudioHostCommand::run(const std::vector<std::string>& arguments) {
    return ExitStatus::of([&] { return execute(arguments); }, out_, err_);
}

int AudioHostCommand::execute(const std::vector<std::string>& arguments) {
    if (asksForUsage(arguments)) return showUsage(arguments, out_, err_);
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "render") return render(rest);
    if (command == "params" || command == "presets") {
        if (!rest.empty()) throw BadInput(command + " takes no arguments");
        return command == "params" ? params() : presets();
    }
    throw BadInput("unknown command " + quotedText(command) + "; the commands are render, params, presets, list and edit (see auhost --help)");
}

int AudioHostCommand::render(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string arg = arguments[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            files.push_back(arg);
            continue;
        }
        std::optional<std::string> inlineValue;
        if (std::size_t eq = arg.find('='); eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.erase(eq);
        }
        if (arg == "--bypass") {
            if (inlineValue) throw BadInput("--bypass takes no value");
            options.bypass = true;
            continue;
        }
        static const char* const valued[] = {"--preset", "--set", "--sample-rate", "--block", "--tempo", "--time-signature", "--start-beat"};
        if (std::find(std::begin(valued), std::end(valued), arg) == std::end(valued))
            throw BadInput("unknown option " + quotedText(arg) + " (see auhost --help)");
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else {
            if (auto missing = Foundation::missingOptionValue(arguments, i)) throw BadInput(*missing);
            value = arguments[++i];
        }

        if (arg == "--preset") options.preset = value;
        else if (arg == "--set") options.assignments.push_back(value);
        else if (arg == "--sample-rate") options.sampleRate = parseNumber(arg, value);
        else if (arg == "--block") options.blockFrames = parseFrames(value);
        else if (arg == "--tempo") options.tempo = parseNumber(arg, value);
        else if (arg == "--time-signature") options.timeSignature = parseTimeSignature(value);
        else if (arg == "--start-beat") options.startBeat = parseNumber(arg, value);
    }
    if (files.size() != 2)
        throw BadInput(std::string("render needs INPUT and OUTPUT") + (files.size() > 2 ? " and nothing more" : "") +
                       " (see auhost --help)");
    options.input = files[0];
    options.output = files[1];

    const RenderResult result = RenderJob::run(source_, options);
    out_ << options.input << " -> " << options.output << ": " << result.statistics.summary();
    if (result.unitsRun > 1) out_ << " (" << result.unitsRun << " tracks)";
    out_ << '\n';
    return 0;
}

int AudioHostCommand::params() {
    HostedUnit hosted = HostedUnit::create(source_);
    auto tree = hosted.unit().parameterTree();
    if (!tree || tree->allParameters().empty()) {
        out_ << "The effect has no parameters.\n";
        return 0;
    }
    char line[256];
    std::snprintf(line, sizeof line, "%-8s %-16s %-18s %-13s %-12s %s\n", "ADDRESS", "IDENTIFIER", "NAME", "UNIT", "RANGE", "DEFAULT");
    out_ << line;
    for (const auto& p : tree->allParameters()) {
        const std::string range = floatText(p->minValue()) + "..." + floatText(p->maxValue());
        std::snprintf(line, sizeof line, "%-8llu %-16s %-18s %-13s %-12s %s\n", static_cast<unsigned long long>(p->address()),
                      p->identifier().c_str(), p->displayName().c_str(), unitName(p->unit()), range.c_str(),
                      floatText(p->value()).c_str());
        out_ << line;
    }
    return 0;
}

int AudioHostCommand::presets() {
    HostedUnit hosted = HostedUnit::create(source_);
    EditorPresets editor(hosted);
    const auto tree = hosted.unit().parameterTree();
    const ParameterSetup defaults = ParameterSetup::resolve(hosted.unit(), ParameterSetup::valuesOf(hosted.unit()), {});
    auto choose = [&](const std::string& preset) {
        editor.choose(preset);
        return ParameterSetup::valuesOf(hosted.unit());
    };
    int number = 0;
    for (const std::string& preset : editor.items()) {
        // A preset chosen twice over that changes nothing the second time sets fixed values.
        // One that does draws new values each time: it is chosen a few times from the defaults
        // to see which.
        std::vector<ParameterSetup::Values> draws;
        try {
            draws = {choose(preset)};
        } catch (const BadInput&) {
            continue;  // no preset: a link to a web page
        }
        if (choose(preset) != draws.front()) {
            defaults.apply(hosted.unit());
            draws = {choose(preset), choose(preset), choose(preset)};
        }
        out_ << ++number << ". " << preset << " - " << describePreset(tree.get(), defaults.writes(), draws) << '\n';
    }
    if (number == 0) out_ << "The effect has no factory presets.\n";
    return 0;
}

}  // namespace AudioHost
