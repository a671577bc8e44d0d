// What reading a collection found wrong, gathered for one message box: files that are not curve
// files, number lines that are not numbers (each named by its file and its line's label), the
// limit of the curve table. A catalog of hundreds of bad lines or a folder of thousands of bad
// files is one box, not one box a problem.
#pragma once

#include <string>
#include <vector>

// Where a record's lines come from: the file as the message names it, and for a file of many
// records (the catalog) the file's line number of the record's first line; 0 for a curve file.
struct RecordSource {
    std::string file;
    int firstLine = 0;
};

class ReadProblems {
public:
    // The problems a box lists; the rest are counted.
    static constexpr int MaxListed = 20;

    // A problem already worded (UTF-8).
    void Add(std::string problem);
    // Line `line` (1 to 25) of a record from `source` is not a number: `cp932` is its text.
    void AddBadNumber(const RecordSource& source, int line, const std::string& cp932);
    bool Empty() const { return count == 0; }
    int Count() const { return count; }
    // The problems the box lists, one a line.
    const std::vector<std::string>& Listed() const { return listed; }
    // The box's text: a heading, the first MaxListed problems one a line, then "ほか N 件"; a
    // single problem other than a bad number is the text alone.
    std::string Message() const;

private:
    std::vector<std::string> listed;
    int count = 0;
    bool badNumbers = false;
};
