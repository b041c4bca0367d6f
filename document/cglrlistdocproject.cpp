// Project files: opening one, and project files met by the add worker.
#include "document/cglrlistdoc.h"

#include "document/projectfile.h"
#include "platform/profile.h"

#include <QIODevice>

bool CGLRListDoc::OnOpenDocument(const QString &path)
{
    if (ProjectFileFormat(path) == ProjectFormat::NotAProject)
        return false;
    {
        // Read here, on the settings' own thread, for the add worker to use.
        DiaporamaOptions defaults;
        defaults.LoadFromRegistry(m_profile);
        std::lock_guard lock(m_optionsLock);
        m_slideshowDefaults = defaults;
        m_pathName = path;
    }
    AddRequest request;
    request.ImportProject = true;
    request.Entry.Path = path;
    QueueAddRequest(request);
    return true;
}

bool CGLRListDoc::ImportProjectFile(QIODevice &file, const AddRequest &request)
{
    const ProjectFormat format = ReadProjectHeader(file);
    if (format == ProjectFormat::NotAProject)
        return false;
    // A current-format project is loaded only when it is being opened.
    if (format == ProjectFormat::V3 && !request.ImportProject)
        return true;

    ProjectContents contents;
    if (format == ProjectFormat::V3) {
        DiaporamaOptions defaults;
        {
            std::lock_guard lock(m_optionsLock);
            defaults = m_slideshowDefaults;
        }
        contents = ReadProjectV3(file, GetOptions(), defaults);
        SetOptions(contents.options);
    } else {
        contents = ReadProjectV1(file, GetOptions());
    }
    for (const ImageEntry &image : contents.images) {
        AddRequest r;
        r.FromProject = true;
        r.Entry.Path = image.Path;
        r.Entry.Comment = image.Comment;
        r.Entry.Options = image.Options;
        QueueAddRequestFromWorker(r);
    }
    return true;
}
