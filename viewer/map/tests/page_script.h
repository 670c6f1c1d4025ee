#pragma once
// Runs a script in a map browser's page and waits for its value, for map tests. Header only.

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <optional>

#include "gui_support.h"

namespace map::test {

inline std::optional<QVariant> EvaluateScript(QWebEngineView& view, const QString& script) {
    std::optional<QVariant> result;
    view.page()->runJavaScript(script, [&result](const QVariant& value) { result = value; });
    if (!tripdesk::test::WaitUntil([&result] { return result.has_value(); })) return std::nullopt;
    return result;
}

inline double ScriptNumber(QWebEngineView& view, const QString& script) {
    return EvaluateScript(view, script).value_or(QVariant(-1000.0)).toDouble();
}

} // namespace map::test
