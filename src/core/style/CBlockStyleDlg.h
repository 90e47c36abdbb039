#pragma once

#include "core/tags/CStyledTagDlg.h"

// "属性": the alignment, class and style of a DIV, P or SPAN element, under
// a line that says which of the three is being defined.
class CBlockStyleDlg : public CStyledTagDlg {
public:
    CBlockStyleDlg(CKelvoApp& app, const QString& description);
};
