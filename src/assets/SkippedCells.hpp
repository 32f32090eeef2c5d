#pragma once

#include <string>

// Cells of a map left empty for one reason, so that each reason is reported once per map rather
// than once per cell.
class SkippedCells {
public:
    explicit SkippedCells(std::string reason);

    void add(int gid, const std::string& layer);
    // One error line naming the count and the first cell; nothing when no cell was skipped.
    void report() const;

private:
    std::string m_reason;
    int m_count = 0;
    int m_firstGid = 0;
    std::string m_firstLayer;
};
