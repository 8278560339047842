#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Splits text that arrives in blocks over a data connection into lines: lines
// end at CR, LF, CR LF or LF CR (also when a pair is split between blocks),
// lines longer than 259 bytes are cut, and empty lines are skipped.
class DataLineSplitter {
public:
    // Appends the lines completed by this block to out.
    void Feed(std::string_view block, std::vector<std::string>& out);
    // The end of the data completes a last line without a line end.
    void Finish(std::vector<std::string>& out);

private:
    void EndLine(std::vector<std::string>& out);

    std::string line_;
    size_t lineLength_ = 0;  // bytes of the line seen, kept or not
    char separator_ = 0;     // the CR or LF that ended the last line, while its partner may follow
};
