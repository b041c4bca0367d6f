// Project files met by the add worker, and the opening of a project.
#include "document/cglrlistdoc.h"

bool CGLRListDoc::ImportProjectFile(QIODevice & /*file*/, const AddRequest & /*request*/)
{
    return false;
}
