// The main view's handling of its output strips.
#include "app/BrelinView.h"

void CBrelinView::SetStripsDelayUnit(int unit)
{
    for (COutRouteDlg& strip : m_strips)
        strip.SetDelayUnit(unit);
}
