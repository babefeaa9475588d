#include "shell/program_state.h"

#include "shell/coupling.h"

namespace modMain {

bool gblnRevisie999 = false;
tavir::ProgramVersion gVersion = tavir::kProgramVersion;
bool gblnInstellingenGelezen = false;

QString gstrDatabestand;
QString gstrConnData;
QString gstrConnShape;
QString gstrConnCL;

qint32 glngKleurVoorz = 16384;
qint32 glngKleurAct = 128;
bool gblnTreeSingleSel = false;
bool gblnTreeLines = true;
bool gblnTreePlusMin = false;

float gsngBTWPerc = 19.0f;

quint8 gbytProxySetting = 0;
QString gstrProxyNaam;
qint32 gintProxyPoort = 0;
bool gblnAutoUpdateOnStart = false;
QString gstrUpdateServer;

qint16 gintCLVolgnr = 0;
qint16 gintProgVerMin = 0;

qint32 glngStortID = 0;
QString gstrNaamStort;
float gsngJaarAanvangNazorg = 0.0f;
qint16 gintCL_ID = 0;
qint16 gintStortType = 0;
QString gstrCLVersie;

bool gblnFrmActOpen = false;
bool gblnBerichtOpen = false;

qint32 mlngStopWatchStart = 0;

void resetProgramState()
{
    gblnRevisie999 = false;
    gVersion = tavir::kProgramVersion;
    gblnInstellingenGelezen = false;

    gstrDatabestand.clear();
    gstrConnData.clear();
    LaatDatabestandLos();
    gstrConnShape.clear();
    gstrConnCL.clear();

    glngKleurVoorz = 16384;
    glngKleurAct = 128;
    gblnTreeSingleSel = false;
    gblnTreeLines = true;
    gblnTreePlusMin = false;

    gsngBTWPerc = 19.0f;

    gbytProxySetting = 0;
    gstrProxyNaam.clear();
    gintProxyPoort = 0;
    gblnAutoUpdateOnStart = false;
    gstrUpdateServer.clear();

    gintCLVolgnr = 0;
    gintProgVerMin = 0;

    glngStortID = 0;
    gstrNaamStort.clear();
    gsngJaarAanvangNazorg = 0.0f;
    gintCL_ID = 0;
    gintStortType = 0;
    gstrCLVersie.clear();

    gblnFrmActOpen = false;
    gblnBerichtOpen = false;

    mlngStopWatchStart = 0;
}

} // namespace modMain
