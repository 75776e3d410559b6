#pragma once

class JubileeTab;
class MemberSelection;
class PrintTab;
class TDataModule1;

// The removals of the members window and their questions: a member or every non-payer of the
// year over to the removed members, a removed member back into the register, the removed
// members deleted for good. The data module does each as one transaction; an error it
// raises reaches the window's guard, which shows it.
class MemberRemovals {
public:
    MemberRemovals(TDataModule1& data, MemberSelection& selection, PrintTab& printTab,
                   JubileeTab& jubileeTab);

    // "Vyřadit člena".
    void removeCurrentMember();
    // "Vyřadit neplatiče z evidence": the selection becomes the non-payers of the summary
    // year, and after the user agrees exactly the members it shows go over.
    void removeNonPayers();
    // "Vrátit člena do evidence": the removed member the grid stands on.
    void returnMember();
    // "Trvale vyřadit ".
    void deleteForGood();

private:
    TDataModule1& m_data;
    MemberSelection& m_selection;
    PrintTab& m_printTab;
    JubileeTab& m_jubileeTab;
};
