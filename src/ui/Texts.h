#pragma once
// Every fixed text of the program. The source is UTF-8; the compiler turns the
// literals into Windows-1250 bytes (-fexec-charset=CP1250), the code page the
// program's 8-bit strings are in.

namespace texts {

inline constexpr const char* kFormCaption = "Zarvelt GUI v0.3";

inline constexpr const char* kLabelInputs = "Vhodne datoteke:";
inline constexpr const char* kLabelCommand = "Ukazna vrstica: ";
inline constexpr const char* kBrowse = "Brskaj";
inline constexpr const char* kBrisi = "Brisi";
inline constexpr const char* kIzhod = "Izhod";
inline constexpr const char* kInfo = "Info o mapi";
inline constexpr const char* kZdruzi = "Združi v eno";
inline constexpr const char* kZazeni = "Zaženi";
inline constexpr const char* kUstavi = "Ustavi";
inline constexpr const char* kUkazInitial = "Zarvelt.exe ";
// The output area's name for screen readers (it has no label).
inline constexpr const char* kMemoName = "Izpis orodja";

// File dialogs: the filter as the dialog wants it, pairs of zero-ended
// strings closed by an empty one.
inline constexpr char kImgFilter[] = "IMG datoteke\0*.IMG\0";
inline constexpr const char* kImgExtension = "img";

inline constexpr const char* kUnableToInsertLine = "Unable to insert a line";

inline constexpr const char* kSelectAtLeastOne = "Izbrati moraš vsaj eno datoteko!";
inline constexpr const char* kSelectAtLeastTwo = "Izbrati moraš vsaj dve datoteki!";
inline constexpr const char* kPromptCaption = "Vnesi opis";
inline constexpr const char* kPromptText = "Opis združene mape:";
inline constexpr const char* kMergeCancelled = "Združevanje datotek je bilo preklicano...";
inline constexpr const char* kSameName =
    "Ne moreš shraniti pod isto ime, kot je datoteka katero združuješ!";
// Names the system's code page cannot write, which the tool cannot be given.
inline constexpr const char* kLeftOut =
    "Teh datotek ni mogoče dati orodju, ker njihovih imen ni mogoče zapisati v kodni strani "
    "sistema in nimajo kratkega imena, ki bi ga bilo mogoče:";
inline constexpr const char* kLeftOutHint =
    "Preimenujte jih (ali mape, v katerih so) brez črk, ki jih kodna stran nima, in jih dodajte znova.";
inline constexpr const char* kOutputNotWritable =
    "Imena nove datoteke ni mogoče zapisati v kodni strani sistema, zato ga orodju ni mogoče dati:";
inline constexpr const char* kOutputNotWritableHint = "Izberite ime brez črk, ki jih kodna stran nima.";
inline constexpr const char* kDescriptionNotWritable =
    "Opisa ni mogoče zapisati v kodni strani sistema, zato ga orodju ni mogoče dati:";
inline constexpr const char* kDescriptionNotWritableHint = "Vnesite opis brez črk, ki jih kodna stran nima.";

// A file dialog that failed, in words: its error codes have no system text.
inline constexpr const char* kOpenDialogFailed = "Izbira datotek ni uspela: ";
inline constexpr const char* kSaveDialogFailed = "Izbira izhodne datoteke ni uspela: ";
inline constexpr const char* kDialogNotOpened = "pogovornega okna ni bilo mogoče odpreti.";
inline constexpr const char* kDialogNoMemory = "zmanjkalo je pomnilnika.";
inline constexpr const char* kDialogInvalidName = "ime datoteke ni veljavno.";
inline constexpr const char* kDialogNamesTooLong =
    "izbranih imen je več, kot jih pogovorno okno lahko vrne naenkrat. Izberite manj datotek.";
inline constexpr const char* kDialogErrorCode = "Koda napake pogovornega okna: ";
// A name in the open dialog whose path would be longer than a path can be.
inline constexpr const char* kPathTooLong =
    "Pot do te datoteke bi bila predolga: mapa in ime skupaj smeta imeti največ 259 znakov.";
inline constexpr const char* kPathTooLongHint = "Izberite krajše ime ali mapo s krajšo potjo.";
// A merge whose command line would be longer than Windows starts.
inline constexpr const char* kMergeTooLong = "Ukazna vrstica za združevanje izbranih datotek (";
inline constexpr const char* kMergeTooLongEnd =
    ") bi bila predolga: Windows zažene ukazno vrstico z največ 32 766 znaki.";
inline constexpr const char* kMergeTooLongHint =
    "Združite jih v več korakih: najprej po nekaj datotek naenkrat, nato še nastale datoteke.";

// The output area could not take all of a run's output.
inline constexpr const char* kNotShown =
    "Okno z izpisom je polno, zato izpis orodja ni prikazan v celoti (neprikazanih bajtov: ";
inline constexpr const char* kNotShownEnd = ").";
// Told to Windows while a tool runs, when the session is about to end.
inline constexpr const char* kSessionEndWaits =
    "Orodje Zarvelt.exe še teče. Če se seja konča zdaj, bo ustavljeno in njegovo delo ostane nedokončano.";

inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kOk = "OK";

}  // namespace texts
