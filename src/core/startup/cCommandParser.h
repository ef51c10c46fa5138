#pragma once
// Splits one command line into slash switches ("/..."), hyphen switches
// ("-...", which no command uses: they are passed over) and plain string
// arguments (double-quoted strings taken whole). It knows nothing about what
// a switch means; the command-line kill mode does.
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class cCommandParser {
public:
    // Starts from empty lists; true when at least one token was stored.
    // upperCase converts the whole line first, quoted parts included.
    bool Parse(const std::string& commandLine, bool upperCase);

    // The token at an index from 0; "" outside the list.
    std::string getStringArg(std::int16_t index) const { return At(stringArgs_, index); }
    std::string getSlashArg(std::int16_t index) const { return At(slashArgs_, index); }
    std::int16_t StringArgCount() const { return stringCount_; }
    std::int16_t SlashArgCount() const { return slashCount_; }

private:
    void AddStringArg(const std::string& arg) { Add(stringArgs_, stringCount_, arg); }
    void AddSlashArg(const std::string& arg) { Add(slashArgs_, slashCount_, arg); }
    void Add(std::vector<std::string>& list, std::int16_t& count, const std::string& arg);
    static std::string At(const std::vector<std::string>& list, std::int16_t index);

    std::vector<std::string> stringArgs_;
    std::vector<std::string> slashArgs_;
    std::int16_t stringCount_ = 0;
    std::int16_t slashCount_ = 0;
    bool hasArgs_ = false;
};

} // namespace qx
