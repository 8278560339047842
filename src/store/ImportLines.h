#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Import files are read in blocks of this many bytes.
constexpr size_t kImportBlockBytes = 8192;

// Splits the bytes of an import file into lines. A line ends at CR, LF or
// CR LF, also when the pair straddles two blocks. Only the first 259 bytes of
// a line are kept (cut back to a whole UTF-8 character); the rest is dropped.
class ImportLineSplitter {
public:
    using LineSink = std::function<void(std::string_view line)>;

    explicit ImportLineSplitter(LineSink sink) : sink_(std::move(sink)) {}
    void Feed(std::string_view bytes);
    // Delivers a last line that has no line break.
    void Finish();

private:
    void EndLine();

    LineSink sink_;
    std::string line_;  // one byte beyond the kept length, so a cut can see where the next character starts
    bool afterCr_ = false;
};
