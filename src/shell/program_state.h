#pragma once
// Program-wide state of the shell: settings kept in memory, the connection
// strings, the checklist file's version rows and the open site. One instance
// each, for the length of the run. No connection, recordset or record object
// is ever held here.

#include "platform/core/program_version.h"

#include <QString>
#include <QtGlobal>

namespace modMain {

// Start-up
extern bool gblnRevisie999;            // the revision number is 999
extern tavir::ProgramVersion gVersion; // the version this run carries
extern bool gblnInstellingenGelezen;   // the settings have been read into memory

// Data file and connection strings
extern QString gstrDatabestand; // path of the data file (setting ConDATAfilenaam)
extern QString gstrConnData;    // connection string of the coupled data file; empty until coupled
extern QString gstrConnShape;   // the same file through the hierarchical provider
extern QString gstrConnCL;      // connection string of the checklist file

// Display settings of the cost-item tree
extern qint32 glngKleurVoorz;
extern qint32 glngKleurAct;
extern bool gblnTreeSingleSel;
extern bool gblnTreeLines;
extern bool gblnTreePlusMin;

// VAT percentage
extern float gsngBTWPerc;

// Update check
extern quint8 gbytProxySetting; // 0 system default, 1 direct, 2 named proxy
extern QString gstrProxyNaam;
extern qint32 gintProxyPoort; // a TCP port, 0 to 65535
extern bool gblnAutoUpdateOnStart;
// The update server's address (scheme and host, setting strUpdateServer);
// empty: the built-in one.
extern QString gstrUpdateServer;

// Checklist file version rows
extern qint16 gintCLVolgnr;   // sequence number of the installed checklist file
extern qint16 gintProgVerMin; // lowest program version number the file needs; 0 = none

// The open site
extern qint32 glngStortID; // 0 = no site open
extern QString gstrNaamStort;
extern float gsngJaarAanvangNazorg;
extern qint16 gintCL_ID;
extern qint16 gintStortType;
extern QString gstrCLVersie;

// Window flags
extern bool gblnFrmActOpen;  // the cost-item screen is loaded
extern bool gblnBerichtOpen; // the short notice window is on screen

// Start of the stopwatch: whole seconds since midnight.
extern qint32 mlngStopWatchStart;

// Puts every value back to its state at program start (for tests).
void resetProgramState();

} // namespace modMain
