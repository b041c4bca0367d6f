#pragma once
// The close of the last line of pictures on a page, shared by the gallery
// and placement builders.

#include <functional>

class PageVariables;
class QString;
struct PageDesign;
struct PageLayout;

// After `counter` pictures of a page, the last written being number
// `lastWritten` (1-based): when the line is incomplete, empty cells fill it
// (when `fillLastLine`, at most a few thousand), then the end-of-line section.
void EndLastImageLine(const PageLayout &layout, bool fillLastLine, const PageDesign &design, int counter,
                      int lastWritten, PageVariables &vars, const std::function<void(const QString &)> &writeImageText);
