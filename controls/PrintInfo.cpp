#include "controls/PrintInfo.h"

#include <QPrinter>

CPrintInfo::CPrintInfo() : m_pPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_pd.Flags = PD_USEDEVMODECOPIES | PD_NOSELECTION;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = LAST_PAGE_UNKNOWN;
    m_pd.nFromPage = 1;
    m_pd.nToPage = LAST_PAGE_UNKNOWN;
    // The printable area only: the drawing rectangle starts at its corner.
    m_pPrinter->setFullPage(false);
}

CPrintInfo::~CPrintInfo() = default;
