#include "shell/options/optionsvalidation.h"

#include "document/thumbnailpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
bool HasAnyOf(const QString &text, const QString &characters)
{
    for (QChar c : characters)
        if (text.contains(c))
            return true;
    return false;
}

bool EndsWithSeparator(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

// Where a root must start: a drive ("X:\") on Windows, "/" elsewhere.
bool RootSyntaxValid(const QString &path)
{
#ifdef Q_OS_WIN
    const qsizetype colon = path.indexOf(QStringLiteral(":\\"));
    return colon > 0;
#else
    return path.startsWith(QLatin1Char('/'));
#endif
}

bool DriveExists(const QString &path)
{
#ifdef Q_OS_WIN
    const QString drive = path.left(path.indexOf(QLatin1Char(':')) + 1) + QLatin1Char('\\');
    return QFileInfo(drive).isDir();
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool IsSystemFolder(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t *>(native.utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM);
#else
    Q_UNUSED(path);
    return false;
#endif
}

RootFolderCheck Refuse(const QString &path, const char *caption, const QString &message)
{
    return RootFolderCheck{path, QString::fromLatin1(caption), message};
}
} // namespace

QString CustomPageError(const QString &path)
{
    if (path.isEmpty())
        return QStringLiteral("Veuillez entrez un nom de fichier ou choisir la page par défaut s'il vous plait");
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("Le fichier spécifié pour la page personnalisée n'existe pas");
    if (info.isDir())
        return QStringLiteral("Le chemin spécifié n'est pas un fichier mais un répertoire...");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Une erreur est survenue lors de l'ouverture du fichier HTML personnalisé...");
    const QString open = QStringLiteral("<VORLEX_INSERT_IMAGE>");
    const QString close = QStringLiteral("</VORLEX_INSERT_IMAGE>");
    bool opened = false;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).toUpper();
        opened = opened || line.contains(open);
        if (opened && line.contains(close))
            return QString();
    }
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Une erreur est survenue lors de l'ouverture du fichier HTML personnalisé...");
    return QStringLiteral("Les deux tags requis pour l'insertion des images ne sont pas présents...\nCes deux tags "
                          "sont les suivants (les majuscules sont importantes) : \n")
           + open + QStringLiteral(" et ") + close;
}

RootFolderCheck CheckRootFolder(const QString &typed)
{
    if (typed.isEmpty())
        return Refuse(typed, "Erreur...",
                      QStringLiteral("Veuillez entrer le chemin du répertoire racine de votre site web s'il vous plait"));
    QString path = typed;
    if (!EndsWithSeparator(path))
        path += QDir::separator();
    if (!RootSyntaxValid(path))
        return Refuse(path, "Erreur", QStringLiteral("Le répertoire spécifié n'est pas valide"));
    if (!DriveExists(path))
        return Refuse(path, "Erreur", QStringLiteral("Le lecteur spécifié est introuvable..."));
    if (HasAnyOf(path, QStringLiteral("\"?*<>|")))
        return Refuse(path, "Erreur",
                      QStringLiteral("Le nom du répertoire racine du site web ne doit pas comporter les caractères "
                                     "suivants : \"?*<>|"));
    // The folder itself, not an empty name after its final separator.
    const QFileInfo info(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    if (!info.exists())
        return Refuse(path, "Erreur...", QStringLiteral("Le répertoire spécifié n'existe pas !"));
    if (!info.isDir())
        return Refuse(path, "Erreur...", QStringLiteral("Le chemin spécifié n'est pas un répertoire !"));
    if (!info.isWritable())
        return Refuse(path, "Erreur...", QStringLiteral("Le répertoire spécifié est en lecture seule !"));
    if (info.isHidden())
        return Refuse(path, "Erreur...",
                      QStringLiteral("Le répertoire spécifié est caché, je préfère ne pas y toucher !"));
    if (IsSystemFolder(info.absoluteFilePath()))
        return Refuse(path, "Erreur...",
                      QStringLiteral("Le répertoire spécifié est un répertoire système, n'y touchons pas !"));
    QString onDisk = OnDiskPath(info.absoluteFilePath());
    if (!EndsWithSeparator(onDisk))
        onDisk += QDir::separator();
    return RootFolderCheck{onDisk, QString(), QString()};
}

QString FixZipName(QString &name)
{
    if (HasAnyOf(name, QStringLiteral("\"?*<>|:")))
        return QStringLiteral("Le nom du fichier zip ne doit pas comporter les caractères suivants : \"?*<>|:");
    if (name.isEmpty())
        return QStringLiteral("Veuillez entrer un nom pour le fichier zip s'il vous plait");
    name = NativeSeparators(name);
    if (name.endsWith(QDir::separator()))
        name += QStringLiteral("images.zip");
    else if (name.indexOf(QLatin1Char('.'), name.lastIndexOf(QDir::separator()) + 1) < 0)
        name += QStringLiteral(".zip");
    return QString();
}

QString FixPreSuffixe(QString &affix)
{
    if (HasAnyOf(affix, QStringLiteral("\"?*<>|:")))
        return QStringLiteral("Le pre/suffixe ne doit pas comporter les caractères suivants : \"?*<>|:");
    affix = NativeSeparators(affix);
    return QString();
}

QString ThumbnailNameExample(int withPrefixe, const QString &preSuffixe)
{
#ifdef Q_OS_WIN
    const QString sample = QStringLiteral("C:\\images\\test.jpg");
#else
    const QString sample = QStringLiteral("/images/test.jpg");
#endif
    return QStringLiteral("Vignette =  ") + ThumbnailPath(sample, preSuffixe, withPrefixe);
}

int SizeModeOfRadio(int radio) { return radio == 0 ? 1 : radio == 1 ? 0 : radio; }
int RadioOfSizeMode(int mode) { return SizeModeOfRadio(mode); }
