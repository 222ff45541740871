#include "app/uTranslation.h"

#include "app/uMoFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QVariantMap>
#include <QWidget>

#include <cstdio>

namespace {

constexpr const char* kEnglishProperty = "vornEnglishTexts";

struct TState
{
    QString language;
    QString localeFolder;
    TMoFile catalogue;
    bool active = false; // a usable catalogue of the current language is loaded
};

TState& State()
{
    static TState state;
    return state;
}

QString LocaleFolder()
{
    TState& s = State();
    if (!s.localeFolder.isEmpty())
        return s.localeFolder;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/locale");
}

void Complain(const QString& text)
{
    std::fprintf(stderr, "vornFirmwareUpdater: %s\n", qPrintable(text));
}

// Loads the first catalogue found for code ("de_AT" tries "de_AT", then "de").
void LoadCatalogue(const QString& code)
{
    TState& s = State();
    s.active = false;
    s.catalogue.Load({}, nullptr);
    if (code.isEmpty() || code == QLatin1String("en") || code.startsWith(QLatin1String("en_")) ||
        code == QLatin1String("C") || code == QLatin1String("POSIX"))
        return;
    QStringList candidates{code};
    const qsizetype underscore = code.indexOf(QLatin1Char('_'));
    if (underscore > 0)
        candidates << code.left(underscore);
    for (const QString& candidate : candidates) {
        // Only plain language codes name a folder; anything else could climb out of it.
        static const QRegularExpression safe(QStringLiteral("^[A-Za-z]{2,8}(_[A-Za-z0-9]{2,8})?$"));
        if (!safe.match(candidate).hasMatch())
            continue;
        const QString path = LocaleFolder() + QLatin1Char('/') + candidate + QStringLiteral("/LC_MESSAGES/default.mo");
        QFile file(path);
        if (!file.exists())
            continue;
        if (!file.open(QIODevice::ReadOnly)) {
            Complain(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
            return;
        }
        const QByteArray bytes = file.readAll();
        std::string error;
        if (!s.catalogue.Load(std::string(bytes.constData(), std::size_t(bytes.size())), &error)) {
            Complain(QStringLiteral("refused catalogue %1: %2; texts stay English").arg(path, QString::fromStdString(error)));
            return;
        }
        const QString charset = QString::fromStdString(s.catalogue.Charset()).toLower();
        if (charset != QLatin1String("utf-8") && charset != QLatin1String("utf8")) {
            Complain(QStringLiteral("catalogue %1 does not declare the UTF-8 charset; translations are off").arg(path));
            s.catalogue.Load({}, nullptr);
            return;
        }
        s.active = true;
        return;
    }
    Complain(QStringLiteral("no catalogue for language \"%1\"; texts stay English").arg(code));
}

QString Translate(const QString& english)
{
    TState& s = State();
    if (!s.active || english.isEmpty())
        return english;
    const QByteArray key = english.toUtf8();
    const auto found = s.catalogue.Lookup(std::string_view(key.constData(), std::size_t(key.size())));
    if (!found || found->empty())
        return english;
    return QString::fromUtf8(found->data(), qsizetype(found->size()));
}

// One translatable text of one kind of object.
struct TTextSlot
{
    const char* name;
    QString (*get)(QObject*);
    void (*set)(QObject*, const QString&);
};

template <typename T> T* As(QObject* o) { return qobject_cast<T*>(o); }

const TTextSlot kSlots[] = {
    {"windowTitle",
     [](QObject* o) { auto w = As<QWidget>(o); return w && w->isWindow() ? w->windowTitle() : QString(); },
     [](QObject* o, const QString& t) { As<QWidget>(o)->setWindowTitle(t); }},
    {"toolTip", [](QObject* o) { auto w = As<QWidget>(o); return w ? w->toolTip() : QString(); },
     [](QObject* o, const QString& t) { As<QWidget>(o)->setToolTip(t); }},
    {"label", [](QObject* o) { auto w = As<QLabel>(o); return w ? w->text() : QString(); },
     [](QObject* o, const QString& t) {
         auto label = As<QLabel>(o);
         label->setText(t);
         // A label placed by hand takes the size of its text, as it did for the English one.
         if (label->parentWidget() && !label->parentWidget()->layout() && !label->wordWrap())
             label->adjustSize();
     }},
    {"button", [](QObject* o) { auto w = As<QAbstractButton>(o); return w ? w->text() : QString(); },
     [](QObject* o, const QString& t) { As<QAbstractButton>(o)->setText(t); }},
    {"group", [](QObject* o) { auto w = As<QGroupBox>(o); return w ? w->title() : QString(); },
     [](QObject* o, const QString& t) { As<QGroupBox>(o)->setTitle(t); }},
    {"placeholder", [](QObject* o) { auto w = As<QLineEdit>(o); return w ? w->placeholderText() : QString(); },
     [](QObject* o, const QString& t) { As<QLineEdit>(o)->setPlaceholderText(t); }},
    {"action", [](QObject* o) { auto a = As<QAction>(o); return a ? a->text() : QString(); },
     [](QObject* o, const QString& t) { As<QAction>(o)->setText(t); }},
};

// Dialogs owned by a window are windows of their own, each translated at its
// own creation; a language switch of the owner must not reach them. Menus are
// popup windows but part of their owner's texts.
void CollectObjects(QObject* o, QList<QObject*>& objects)
{
    objects << o;
    for (QObject* child : o->children()) {
        auto w = qobject_cast<QWidget*>(child);
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w))
            continue;
        CollectObjects(child, objects);
    }
}

QList<QObject*> ObjectsOf(QObject* window)
{
    QList<QObject*> objects;
    CollectObjects(window, objects);
    return objects;
}

bool Skipped(QObject* o)
{
    for (QObject* p = o; p; p = p->parent())
        if (p->property(kNoTranslateProperty).toBool())
            return true;
    return false;
}

} // namespace

QString Tr(const char* msgid)
{
    return Translate(QString::fromUtf8(msgid));
}

QString TrFormat(const char* msgid, const QStringList& args)
{
    const QString format = Tr(msgid);
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('s')) {
            // Arguments are inserted whole and never scanned again, so a "%s" inside one stays as it is.
            result += next < args.size() ? args[next] : QString();
            ++next;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

void UseLanguage(const QString& code)
{
    State().language = code;
    LoadCatalogue(code);
}

QString GetCurrentLanguage()
{
    return State().language;
}

QString DefaultLanguage()
{
    const QByteArray lang = qgetenv("LANG");
    if (!lang.isEmpty())
        return QString::fromLocal8Bit(lang).section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return QLocale::system().name();
}

void SetLocaleFolder(const QString& folder)
{
    State().localeFolder = folder;
}

void TranslateComponent(QObject* window)
{
    for (QObject* o : ObjectsOf(window)) {
        if (Skipped(o))
            continue;
        QVariantMap english = o->property(kEnglishProperty).toMap();
        for (const TTextSlot& slot : kSlots) {
            const QString text = slot.get(o);
            if (text.isEmpty())
                continue;
            english.insert(QLatin1String(slot.name), text);
            slot.set(o, Translate(text));
        }
        if (!english.isEmpty())
            o->setProperty(kEnglishProperty, english);
    }
}

void RetranslateComponent(QObject* window)
{
    for (QObject* o : ObjectsOf(window)) {
        if (Skipped(o))
            continue;
        const QVariantMap english = o->property(kEnglishProperty).toMap();
        for (const TTextSlot& slot : kSlots) {
            const auto it = english.constFind(QLatin1String(slot.name));
            if (it != english.constEnd())
                slot.set(o, Translate(it->toString()));
        }
    }
}
