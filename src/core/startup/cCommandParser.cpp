#include "core/startup/cCommandParser.h"

#include "core/util/modText.h"

namespace qx {
namespace {

enum class State { Idle, Word, Quoted, Switch };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

void cCommandParser::Add(std::vector<std::string>& list, std::int16_t& count, const std::string& arg) {
    // The counts are 16-bit; a line cannot hold that many tokens on Windows,
    // but a longer one must not wrap them.
    if (count == INT16_MAX) return;
    list.push_back(arg);
    ++count;
    hasArgs_ = true;
}

std::string cCommandParser::At(const std::vector<std::string>& list, std::int16_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                                       : std::string();
}

bool cCommandParser::Parse(const std::string& commandLine, bool upperCase) {
    stringArgs_.clear();
    slashArgs_.clear();
    stringCount_ = slashCount_ = 0;
    hasArgs_ = false;

    // The blank at the end closes a word or switch that runs to the end.
    const std::string text = (upperCase ? UpperCase(commandLine) : commandLine) + " ";
    std::string token;
    State state = State::Idle;
    bool inQuote = false;
    const auto endSwitch = [&] {
        // A hyphen switch counts as a token, though no command reads one.
        if (token[0] == '/') AddSlashArg(token);
        else hasArgs_ = true;
        token.clear();
        inQuote = false;
        state = State::Idle;
    };
    for (const char c : text) {
        switch (state) {
        case State::Quoted:
            if (c == '"') {
                AddStringArg(token);
                token.clear();
                state = State::Idle;
            } else {
                token += c;
            }
            break;
        case State::Word:
            if (IsBlank(c)) {
                AddStringArg(token);
                token.clear();
                state = State::Idle;
            } else {
                token += c;
            }
            break;
        case State::Idle:
            if (IsBlank(c)) break;
            if (c == '/' || c == '-') {
                token = c;
                state = State::Switch;
            } else if (c == '"') {
                state = State::Quoted;
            } else {
                token = c;
                state = State::Word;
            }
            break;
        case State::Switch:
            if (inQuote) {
                if (c == '"') endSwitch();
                else token += c;
            } else if (c == '"') {
                inQuote = true;
            } else if (IsBlank(c)) {
                endSwitch();
            } else {
                token += c;
            }
            break;
        }
    }
    // A quote never closed leaves its token unstored.
    return hasArgs_;
}

} // namespace qx
