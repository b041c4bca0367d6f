#pragma once
// The comment of one entry as the pages will show it, for the list's comment
// column. Kept beside the variable set rather than in the document so that
// the document does not depend on page generation. Any thread.

#include <QString>

class GalleryDocument;

// The comment with its template variables expanded against the whole list
// (page 1, no page path); "" when the index is out of range.
QString GetExpandedComment(const GalleryDocument &doc, int index);
