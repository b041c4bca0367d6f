// Project files: opening one, and project files met by the add worker.
#include "document/gallerydocument.h"

#include "document/notifycodes.h"
#include "document/projectfile.h"
#include "platform/profile.h"

#include <QIODevice>

bool GalleryDocument::OnOpenDocument(const QString &path)
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

bool GalleryDocument::ImportProjectFile(QIODevice &file, const AddRequest &request)
{
    const ProjectFormat format = ReadProjectHeader(file);
    if (format == ProjectFormat::NotAProject)
        return false;
    if (request.FromProject) {
        // Never loaded from inside a project: a file naming itself, or two
        // naming each other, would be read forever. It is no image either.
        PostNotify(NOTIFY_ERROR, WARN_PROJECT_IMAGE_MISSING);
        SetModifiedFlag();
        return true;
    }
    // A current-format project is loaded only when it is being opened.
    if (format == ProjectFormat::V3 && !request.ImportProject)
        return true;

    int queued = 0;
    const ProjectImageSink queue = [this, &queued](ImageEntry &&image) {
        AddRequest r;
        r.FromProject = true;
        r.Entry.Path = std::move(image.Path);
        r.Entry.Comment = std::move(image.Comment);
        r.Entry.Options = image.Options;
        QueueAddRequestFromWorker(r);
        ++queued;
    };
    if (format == ProjectFormat::V3) {
        DiaporamaOptions defaults;
        {
            std::lock_guard lock(m_optionsLock);
            defaults = m_slideshowDefaults;
        }
        SetOptions(ReadProjectV3(file, GetOptions(), defaults, queue).options);
    } else {
        ReadProjectV1(file, GetOptions(), queue);
        // Images brought into an open gallery: unlike an opened project, the
        // list no longer matches any saved file, and closing must ask.
        if (!request.ImportProject && queued > 0)
            SetModifiedFlag();
    }
    return true;
}
