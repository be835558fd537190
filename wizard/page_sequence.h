// The wizard's page sequence: which pages take part in a run, in display
// order, written as page codes separated by "," ("0,1,3,4,6,7,8,9,10").
#ifndef QVS_WIZARD_PAGE_SEQUENCE_H
#define QVS_WIZARD_PAGE_SEQUENCE_H

#include <string>

// What decides the sequence; every field is read as the script and start-up
// left it.
struct PageSequenceInputs {
  int ShowLicense = 0;      // LookAndFeel
  int ShowInformation = 0;  // LookAndFeel
  int componentCount = 0;   // components the script defines
  int IsPathEnforced = 0;   // of the principal component
  int osCode = 0;                // the system the running one acts as
  bool isAdministrator = false;  // as found at start-up
  int CreateGroup = 0;           // InstallerSettings
};

// The sequence for `inputs`. `userScopeOffered` (may be null) becomes 1 when
// the installation-mode page takes part, else it is left as it is.
std::string BuildPageSequence(const PageSequenceInputs &inputs, int *userScopeOffered);

// The page code in field `position` (1-based) of `sequence`; -1 when the
// sequence has no such field or the field is not a number.
int PageSequenceField(const std::string &sequence, int position);

#endif
