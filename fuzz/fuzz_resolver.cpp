// The file-name resolver against a small folder tree with case variants:
// the result lies below the base, an exact spelling wins, otherwise the
// first variant in byte order, and a missing component keeps its spelling.
#include "text/filenames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

QTemporaryDir *tree = nullptr;

void makeTree()
{
    tree = new QTemporaryDir;
    QDir root(tree->path());
    for (const char *path : {"update/Code1.txt", "update/code1.txt", "Update/x.txt", "help/info/help001.txt",
                             "Code.txt", "a b/c;d.txt", "drive_c/temp/RU.txt"}) {
        const QString full = root.filePath(QString::fromLatin1(path));
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        (void)f.open(QIODevice::WriteOnly);
    }
    QDir::setCurrent(tree->path());
    kv::fileNames::setDriveRoot(root.filePath(QStringLiteral("drive_c")));
}

bool asciiCaseEqual(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = a[i], y = b[i];
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80 || std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

// Walks `components` below `base` by the resolver's rules.
std::string reference(std::string base, const std::vector<std::string> &components)
{
    bool matching = true;
    for (const std::string &c : components) {
        if (c == ".")
            continue;
        if (c == "..") {
            base = fs::path(base).parent_path().string();
            continue;
        }
        std::string spelled = c;
        if (matching) {
            std::error_code ec;
            if (fs::exists(fs::symlink_status(fs::path(base) / c, ec))) {
                spelled = c;
            } else {
                std::vector<std::string> names;
                for (const auto &entry : fs::directory_iterator(base, ec))
                    names.push_back(entry.path().filename().string());
                std::sort(names.begin(), names.end());
                const auto it = std::find_if(names.begin(), names.end(), [&](const std::string &n) { return asciiCaseEqual(n, c); });
                if (it == names.end())
                    matching = false;
                else
                    spelled = *it;
            }
        }
        base = base == "/" ? base + spelled : base + "/" + spelled;
    }
    return base;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (!tree)
        makeTree();
    // Names of printable ASCII only, relative, with "\" or "/" between folders.
    std::string name;
    for (size_t i = 0; i < size && i < 64; ++i) {
        const unsigned char c = data[i];
        if (c >= 32 && c < 127 && c != ':')
            name += char(c);
    }
    if (name.empty() || name[0] == '/' || name[0] == '\\')
        return 0;
    const QString qname = QString::fromLatin1(name.data(), qsizetype(name.size()));
    // A name that exists as spelled is taken as it stands.
    if (QFileInfo::exists(qname) || QFileInfo(qname).isSymLink())
        return 0;
    std::vector<std::string> components;
    std::string current;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            if (!current.empty())
                components.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        components.push_back(current);
    const std::string want = reference(QDir::cleanPath(QDir::currentPath()).toStdString(), components);
    const std::string got = kv::fileNames::resolve(qname).toStdString();
    if (got != want)
        std::abort();
    return 0;
}
