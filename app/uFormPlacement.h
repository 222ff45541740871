#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;
class TIniFileStorage;

// The window's placement in the settings file, in the section named like the
// window: "FormVersion" 0, "ShowCmd" (1 normal, 2 minimised, 3 maximised),
// "Flags", "PixelsPerInch", "MinMaxPos" and "NormPos" (left, top, right and
// bottom of the normal geometry, right and bottom exclusive) and
// "ActiveControl" (the name of the control that had the focus).

inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

void SaveFormPlacement(TIniFileStorage& storage, const QWidget& form);

// Puts the window where the file says when that place is usable on one of the
// screens the window may use now; otherwise the window keeps the place it has.
// A minimised window comes back normal: a program should not start hidden.
void RestoreFormPlacement(const TIniFileStorage& storage, QWidget& form);

// The control that had the focus ("ActiveControl") gets it back when it
// still exists and can take it.
void RestoreActiveControl(const TIniFileStorage& storage, QWidget& form);

// "l,t,r,b" as four decimal integers with right > left and bottom > top.
std::optional<QRect> ParseNormPos(const QString& text);

// The stored geometry if the window shows enough of itself on one of the
// screens' available areas to be seen and dragged: its top edge within the
// screen and at least a strip of 100 × 30 pixels (or all of a smaller window) on it.
std::optional<QRect> PlaceOnScreens(const QRect& stored, const QList<QRect>& screens);
