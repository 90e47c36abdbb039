#pragma once

#include "core/edit/CKelvoView.h"

#include <QString>

#include <optional>

class CKelvoApp;
class FormModel;

// The general page "動作" of the settings sheet: start-up file, tab count,
// margin, preview and tag options, the initial folder, and the editor's
// colours (kept, but offered by no visible control).
class CSetPage {
public:
    explicit CSetPage(CKelvoView& view);

    // Adds the page's fields to the sheet, filled from the settings and the
    // view.
    void AddTo(FormModel& sheet) const;
    // Applies the confirmed page to the view, the application and the
    // settings.
    void Apply(const FormModel& sheet);

    static QString PageTitle();

    // Colours: the settings' colour reference and the six hexadecimal
    // digits RRGGBB the forms show.
    static QString ColorRefToHex(CKelvoView::ColorRef color);
    static std::optional<CKelvoView::ColorRef> HexToColorRef(const QString& hex);

private:
    CKelvoView& m_view;
};
