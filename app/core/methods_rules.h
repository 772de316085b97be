#pragma once
// The rules of the computation methods dialog without its widgets: the
// load-transfer method always among the capacity methods, the enabling of
// the critical-depth, drainage and tension controls, Select All and Clear
// Selections, and the store, which also reshapes the soil tables (the
// user-specified method's two columns, silt layers that only USACE reads).
#include <array>

#include "program_data.h"
#include "project_tables.h"

namespace korva::app {

inline constexpr int kMethodCount = 9;
// The first of the cone-based offshore methods (NGI, ICP/MTD, FUGRO, UWA).
inline constexpr int kFirstOffshoreMethod = pmNgi;

// The bounds of the tension reduction factor.
inline constexpr Extended kMinTensionReduction = 0.001L;
inline constexpr Extended kMaxTensionReduction = 10.0L;

// The state of the dialog's controls; methods are TPileMethod numbers.
struct TMethodsForm {
    int LoadTransferMethod = pmApi;
    std::array<bool, kMethodCount + 1> Selected{}; // slots 1-9
    bool OffshoreEdition = true;
    bool ReducedTzFactors = false;
    int CriticalDepthMode = 0;
    Extended CriticalDepth = 0;
    bool DrainedClay = false;
    bool Tension = false;
    Extended TensionReduction = 1.0L;
};

struct TMethodsEnabling {
    std::array<bool, kMethodCount + 1> MarkedLoadTransfer{}; // the "LS" beside a capacity method
    std::array<bool, kMethodCount + 1> MethodAvailable{};    // its radio and check box
    bool CriticalDepthModes = false; // the three critical-depth radios (USACE)
    bool CriticalDepth = false;      // the user critical depth
    bool Drainage = false;           // drained or undrained clay (ICP/MTD)
    bool TensionReduction = false;   // tension with API RP-2A
};

bool IsOffshoreMethod(int method);

TMethodsForm LoadMethodsForm(const TProgramData& project);

// Checks the load-transfer method's capacity box: the method that feeds the
// t-z curves is always computed.
void KeepLoadTransferSelected(TMethodsForm& form);
// A load-transfer radio clicked: that method, and its capacity box checked.
void ChooseLoadTransferMethod(TMethodsForm& form, int method);
// "Select All": every available method.
void SelectAllMethods(TMethodsForm& form);
// "Clear Selections": every available method cleared but the load-transfer one.
void ClearMethodSelections(TMethodsForm& form);

TMethodsEnabling MethodsEnabling(const TMethodsForm& form);

// True when USACE is the only selected capacity method: only then may the
// profile hold silt layers.
bool UsaceAlone(const std::array<bool, kMethodCount + 1>& selected);

// Shows or hides the user-specified unit skin friction and end bearing
// (columns 6 and 7) of every layer's property table and of the sand and
// clay templates; open property windows of the layers are reopened with the
// new columns.
void ShowUserUnitColumns(TProjectTables& tables, bool visible);

// Turns every silt layer of D into a sand layer that keeps the unit weight,
// friction angle, blow count and earth pressure coefficient at its top and
// bottom. True when a layer was turned.
bool SiltLayersToSand(TProjectTables& tables);

// Stores the controls, in the order the program always has: load-transfer
// method, the taper angle (0 unless FHWA is a selected method), the user
// columns of the soil tables, the method flags, loading (compression stores a
// reduction of 1.0), drainage and curve factors, critical depth, and last the
// silt layers (turned into sand unless USACE is the only method). True when
// a project value or a layer changed.
bool StoreMethodsForm(const TMethodsForm& form, TProgramData& project, TProjectTables& tables);

} // namespace korva::app
