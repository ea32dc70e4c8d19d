// The qpdf module of the PDF library (see platform/pdfbibqpdf.h): reading a
// PDF's pages and making the final file from Cairo's (the second pass
// described at the top of platform/pdfbibdatei.cpp).
// May call: qpdf, platform/pdfbibqpdf.h.
#define POINTERHOLDER_TRANSITION 4  // std::shared_ptr throughout
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>

#include "platform/pdfbibqpdf.h"

namespace {

struct QpdfQuelle {
    std::string daten;  // qpdf reads them in place
    std::unique_ptr<QPDF> qpdf;
    std::vector<QPDFObjectHandle> seiten;
};

// qpdf's output straight into a string: its memory output collects pieces
// and copies them once more into a buffer, fresh pages twice over for a
// file of megabytes.
class QpdfText : public Pipeline {
public:
    explicit QpdfText(std::string& ziel) : Pipeline("Text", nullptr), ziel_(ziel) {}
    void write(unsigned char const* daten, size_t n) override { ziel_.append(reinterpret_cast<const char*>(daten), n); }
    void finish() override {}

private:
    std::string& ziel_;
};

// `groesse`: about how large the file will be (the string is reserved so).
std::string qpdfSchreiben(QPDF& pdf, bool verschluesselungWeg, size_t groesse)
{
    std::string aus;
    aus.reserve(groesse + groesse / 8 + 4096);
    QpdfText text(aus);
    QPDFWriter w(pdf);
    w.setOutputPipeline(&text);
    if (verschluesselungWeg) w.setPreserveEncryption(false);
    w.write();
    return aus;
}

void* qpdfLaden(std::string* daten, const char* passwort, int* seiten, std::string* kopie)
{
    auto q = std::make_unique<QpdfQuelle>();
    q->daten = std::move(*daten);
    try {
        q->qpdf = std::make_unique<QPDF>();
        q->qpdf->setSuppressWarnings(true);
        q->qpdf->processMemoryFile("PDF", q->daten.data(), q->daten.size(), passwort);
        q->qpdf->pushInheritedAttributesToPage();
        q->seiten = q->qpdf->getAllPages();
        if (q->seiten.empty()) return nullptr;
        *kopie = qpdfSchreiben(*q->qpdf, true, q->daten.size());
    } catch (const std::exception&) {
        return nullptr;
    }
    *seiten = static_cast<int>(q->seiten.size());
    return q.release();
}

void qpdfFrei(void* quelle)
{
    delete static_cast<QpdfQuelle*>(quelle);
}

QPDFObjectHandle qpdfFarbArray(const PdfbibQpdfLink& l)
{
    QPDFObjectHandle a = QPDFObjectHandle::newArray();
    a.appendItem(QPDFObjectHandle::newReal(l.r, 3));
    a.appendItem(QPDFObjectHandle::newReal(l.g, 3));
    a.appendItem(QPDFObjectHandle::newReal(l.b, 3));
    return a;
}

void qpdfSeitenEinsetzen(const std::vector<PdfbibQpdfSeite>& ds, int seitenModus, QPDF& pdf)
{
    std::vector<QPDFObjectHandle> seiten = pdf.getAllPages();
    if (seiten.size() != ds.size()) throw std::runtime_error("page count");
    static const char* const uebernommen[] = {"/MediaBox", "/CropBox",  "/BleedBox", "/TrimBox", "/ArtBox",
                                              "/Rotate",   "/Resources", "/Contents", "/UserUnit", "/Group"};
    for (size_t i = 0; i < seiten.size(); ++i) {
        const PdfbibQpdfSeite& s = ds[i];
        QPDFObjectHandle seite = seiten[i];
        if (s.quelle) {
            const auto* q = static_cast<const QpdfQuelle*>(s.quelle);
            QPDFObjectHandle kopie = pdf.copyForeignObject(q->seiten.at(static_cast<size_t>(s.quellSeite)));
            QPDFObjectHandle neu = QPDFObjectHandle::newDictionary();
            neu.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
            neu.replaceKey("/Parent", seite.getKey("/Parent"));
            for (const char* k : uebernommen)
                if (kopie.hasKey(k)) neu.replaceKey(k, kopie.getKey(k));
            if (seite.hasKey("/Annots")) neu.replaceKey("/Annots", seite.getKey("/Annots"));
            pdf.replaceObject(seite.getObjGen(), neu);
            seite = pdf.getObjectByObjGen(seite.getObjGen());
        }
        if (s.links.empty()) continue;
        QPDFObjectHandle annots = seite.getKey("/Annots");
        size_t k = 0;
        for (int j = 0; annots.isArray() && j < annots.getArrayNItems() && k < s.links.size(); ++j) {
            QPDFObjectHandle a = annots.getArrayItem(j);
            if (!a.isDictionary() || !a.getKey("/Subtype").isNameAndEquals("/Link")) continue;
            const PdfbibQpdfLink& l = s.links[k++];
            QPDFObjectHandle rahmen = QPDFObjectHandle::newArray();
            rahmen.appendItem(QPDFObjectHandle::newInteger(0));
            rahmen.appendItem(QPDFObjectHandle::newInteger(0));
            rahmen.appendItem(QPDFObjectHandle::newInteger(l.rahmen));
            a.replaceKey("/Border", rahmen);
            a.replaceKey("/C", qpdfFarbArray(l));
        }
        if (k != s.links.size()) throw std::runtime_error("links");
    }
    static const char* const modi[] = {"/UseNone", "/UseOutlines", "/UseThumbs", "/FullScreen"};
    if (seitenModus >= 0 && seitenModus < 4)
        pdf.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName(modi[seitenModus]));
}

bool qpdfFertigstellen(const std::string& roh, const std::vector<PdfbibQpdfSeite>& seiten, int seitenModus,
                       std::string* aus)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("Cairo", roh.data(), roh.size());
        qpdfSeitenEinsetzen(seiten, seitenModus, pdf);
        *aus = qpdfSchreiben(pdf, false, roh.size());
    } catch (const std::exception&) {
        aus->clear();
        return false;
    }
    return true;
}

}  // namespace

extern "C" const PdfbibQpdfTabelle* velmoPdfbibQpdf()
{
    static const PdfbibQpdfTabelle t{qpdfLaden, qpdfFrei, qpdfFertigstellen};
    return &t;
}
