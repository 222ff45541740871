#include "app/uFormPlacement.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "app/uIniFileStorage.h"

namespace {

// Larger than any screen; guards the width and height against overflow.
constexpr int kMaxExtent = 100000;

const QString kFormVersion = QStringLiteral("FormVersion");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kNormPos = QStringLiteral("NormPos");
const QString kActiveControl = QStringLiteral("ActiveControl");

QString FourIntegers(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace

void SaveFormPlacement(TIniFileStorage& storage, const QWidget& form)
{
    const QString section = form.objectName();
    const QRect norm = form.normalGeometry().isValid() ? form.normalGeometry() : form.geometry();
    const int showCmd = form.isMinimized()   ? kShowMinimized
                        : form.isMaximized() ? kShowMaximized
                                             : kShowNormal;
    storage.WriteInteger(section, kFormVersion, 0);
    storage.WriteInteger(section, kShowCmd, showCmd);
    storage.WriteInteger(section, QStringLiteral("Flags"), 0);
    storage.WriteInteger(section, QStringLiteral("PixelsPerInch"), form.logicalDpiY());
    storage.WriteString(section, QStringLiteral("MinMaxPos"), FourIntegers(-1, -1, -1, -1));
    storage.WriteString(
        section, kNormPos,
        FourIntegers(norm.left(), norm.top(), norm.left() + norm.width(), norm.top() + norm.height()));
    const QWidget* focus = form.focusWidget();
    storage.WriteString(section, kActiveControl,
                        focus && focus != &form && form.isAncestorOf(focus) ? focus->objectName()
                                                                            : QString());
}

void RestoreFormPlacement(const TIniFileStorage& storage, QWidget& form)
{
    const QString section = form.objectName();
    if (const auto stored = ParseNormPos(storage.ReadString(section, kNormPos))) {
        if (const auto place = PlaceOnScreens(*stored, AvailableScreenAreas())) {
            // NormPos holds the geometry without the frame, which is what setGeometry takes.
            form.setGeometry(*place);
        }
    }
    const int showCmd = storage.ReadInteger(section, kShowCmd, kShowNormal, kShowNormal, kShowMaximized);
    form.setWindowState(showCmd == kShowMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void RestoreActiveControl(const TIniFileStorage& storage, QWidget& form)
{
    const QString name = storage.ReadString(form.objectName(), kActiveControl);
    if (name.isEmpty())
        return;
    QWidget* control = form.findChild<QWidget*>(name);
    if (control && control->isEnabled() && control->isVisibleTo(&form) &&
        control->focusPolicy() != Qt::NoFocus)
        control->setFocus(Qt::OtherFocusReason);
}

std::optional<QRect> ParseNormPos(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok, 10);
        if (!ok || std::abs(static_cast<long long>(v[i])) > kMaxExtent)
            return std::nullopt;
    }
    if (v[2] <= v[0] || v[3] <= v[1])
        return std::nullopt;
    return QRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

std::optional<QRect> PlaceOnScreens(const QRect& stored, const QList<QRect>& screens)
{
    for (const QRect& screen : screens) {
        const QRect seen = stored.intersected(screen);
        const bool topOnScreen = stored.top() >= screen.top() && stored.top() <= screen.bottom();
        if (topOnScreen && seen.width() >= qMin(100, stored.width()) &&
            seen.height() >= qMin(30, stored.height()))
            return stored;
    }
    return std::nullopt;
}
