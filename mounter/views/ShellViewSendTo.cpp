// The "Se&nd To" submenu of the picture menu: made anew for each context menu, its entries drawn
// for the view, and its commands run on the active view's selection.
#include "MounterShellView.h"

#include "SendToCommand.h"
#include "ViewCopyStep.h"

void CMounterShellView::BuildSendToMenu(HMENU popup) {
    m_sendToMenu = std::make_unique<CSendToMenu>(popup);
    m_sendToMenu->Build(m_owner, &m_sendToItems);
}

bool CMounterShellView::MeasureSendToEntry(MEASUREITEMSTRUCT* measure) const {
    auto entry = m_sendToItems.find(measure->itemID);
    if (measure->CtlType != ODT_MENU || !m_sendToMenu || entry == m_sendToItems.end()) return false;
    m_sendToMenu->Measure(measure, *entry->second);
    return true;
}

bool CMounterShellView::DrawSendToEntry(const DRAWITEMSTRUCT& draw) const {
    auto entry = m_sendToItems.find(draw.itemID);
    if (draw.CtlType != ODT_MENU || !m_sendToMenu || entry == m_sendToItems.end()) return false;
    m_sendToMenu->Draw(draw, *entry->second);
    return true;
}

bool CMounterShellView::RunSendToCommand(UINT command, const std::vector<LPCITEMIDLIST>& items) {
    if (!IsSendToCommand(m_sendToItems, command)) return false;
    if (TempAreaForCopies(m_owner).empty()) return true;
    auto entry = m_sendToItems.find(command);
    if (entry != m_sendToItems.end()) SendItemsTo(*entry->second, m_folder.get(), m_owner, items);
    return true;
}
