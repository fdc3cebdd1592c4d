#include "script.h"

#include <cctype>

namespace host {

namespace {

struct VerbRule {
    const char* verb;
    int minArguments;
    int maxArguments; // -1: any number
};

const VerbRule kVerbs[] = {
    {"command", 1, 1},  {"click", 1, 1},         {"display", 0, 0}, {"screenshot", 2, 2},
    {"close", 0, 1},    {"key", 1, 1},           {"mouse", 4, 4},   {"window", 1, 1},
    {"wait", 1, 1},     {"echo", 0, -1},         {"dialogs", 0, 0}, {"modules", 0, 0},
    {"commands", 0, 0}, {"notifications", 0, 0}, {"quit", 0, 0},
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string CheckStep(const ScriptStep& step) {
    for (const VerbRule& rule : kVerbs) {
        if (step.verb != rule.verb)
            continue;
        const int count = static_cast<int>(step.arguments.size());
        if (count < rule.minArguments || (rule.maxArguments >= 0 && count > rule.maxArguments))
            return "line " + std::to_string(step.line) + ": wrong number of arguments for '" +
                   step.verb + "'";
        return "";
    }
    return "line " + std::to_string(step.line) + ": unknown step '" + step.verb + "'";
}

// Reads the script character by character, collecting words into steps.
class Tokenizer {
public:
    explicit Tokenizer(const std::string& text) : text_(text) {}

    ParsedScript Run() {
        while (at_ < text_.size() && result_.error.empty()) {
            const char c = text_[at_];
            if (c == '\n' || c == ';') {
                EndStep();
                if (c == '\n')
                    ++line_;
                ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++at_;
            } else if (c == '#' && words_.empty()) {
                while (at_ < text_.size() && text_[at_] != '\n')
                    ++at_;
            } else if (c == '"') {
                ReadQuoted();
            } else {
                ReadBare();
            }
        }
        if (result_.error.empty())
            EndStep();
        if (!result_.error.empty())
            result_.steps.clear();
        return result_;
    }

private:
    void ReadBare() {
        StartWord();
        std::string word;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == '"')
                break;
            word += c;
            ++at_;
        }
        words_.push_back(word);
    }

    void ReadQuoted() {
        StartWord();
        const int startLine = line_;
        std::string word;
        ++at_; // opening quote
        while (at_ < text_.size() && text_[at_] != '"') {
            char c = text_[at_++];
            if (c == '\\' && at_ < text_.size() && (text_[at_] == '"' || text_[at_] == '\\'))
                c = text_[at_++];
            else if (c == '\n')
                ++line_;
            word += c;
        }
        if (at_ >= text_.size()) {
            result_.error = "line " + std::to_string(startLine) + ": unterminated quote";
            return;
        }
        ++at_; // closing quote
        words_.push_back(word);
    }

    void StartWord() {
        if (words_.empty())
            stepLine_ = line_;
    }

    void EndStep() {
        if (words_.empty())
            return;
        ScriptStep step;
        step.verb = Lower(words_.front());
        step.arguments.assign(words_.begin() + 1, words_.end());
        step.line = stepLine_;
        words_.clear();
        result_.error = CheckStep(step);
        if (result_.error.empty())
            result_.steps.push_back(step);
    }

    const std::string& text_;
    std::size_t at_ = 0;
    int line_ = 1;
    int stepLine_ = 1;
    std::vector<std::string> words_;
    ParsedScript result_;
};

} // namespace

ParsedScript ParseScript(const std::string& text) {
    return Tokenizer(text).Run();
}

const char* ScriptHelp() {
    return "Script steps (separated by new lines or ';'):\n"
           "  command LABEL             run a command of the host's list\n"
           "  window TARGET             make a window the target of the steps below\n"
           "  click CAPTION             click the target window's button with that caption\n"
           "  key escape|return|tab|space   press a key in the target window\n"
           "  mouse down|move|up ID X Y press, move or release the left button on the\n"
           "                            target window's control ID at client point X, Y\n"
           "  display                   print the calculator display's text\n"
           "  close [TARGET]            close a window as its close box does\n"
           "  screenshot TARGET FILE    save a window as a PNG file\n"
           "  wait MS                   let the host run for MS milliseconds\n"
           "  dialogs | modules | commands | notifications   print what the host holds\n"
           "  echo TEXT...              print the text\n"
           "  quit                      unload the modules and end\n"
           "TARGET: calculator, gallery, main, current, or a window title.\n";
}

} // namespace host
