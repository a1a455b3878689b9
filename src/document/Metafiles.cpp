#include "document/Metafiles.h"

#include "document/MetafileFraming.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include <dlfcn.h>
#include <zlib.h>

extern "C" {
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace natalory {
namespace {

constexpr quint32 kEmfHeaderType = 1;
constexpr quint32 kEmfSignature = 0x464D4520;  // " EMF"
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;

std::optional<QByteArray> EmfToSvg(const QByteArray& bytes) {
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.svgDelimiter = true;
    options.emfplus = true;
    QByteArray copy = bytes;  // the converter takes a writable buffer
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), size_t(copy.size()), &out, &length, &options);
    std::optional<QByteArray> svg;
    if (ok && out && length > 0) svg = QByteArray(out, qsizetype(length));
    free(out);
    return svg;
}

// libwmf and libUEMF (the EMF writer's library) both export functions named wmf_*; loaded
// with its own symbols first, libwmf keeps calling its own.
struct Libwmf {
    decltype(&wmf_api_create) api_create = nullptr;
    decltype(&wmf_api_destroy) api_destroy = nullptr;
    decltype(&wmf_mem_open) mem_open = nullptr;
    decltype(&wmf_scan) scan = nullptr;
    decltype(&wmf_play) play = nullptr;
    decltype(&wmf_display_size) display_size = nullptr;
    decltype(&wmf_stream_create) stream_create = nullptr;
    decltype(&wmf_stream_destroy) stream_destroy = nullptr;
    decltype(&wmf_svg_function) svg_function = nullptr;

    static const Libwmf* get() {
        static const Libwmf lib = [] {
#if defined(NATALORY_WMF_LINKED_IN)
            // The fuzz build links an instrumented libwmf in, so the fuzzer sees its code.
            return Libwmf{&wmf_api_create,   &wmf_api_destroy,    &wmf_mem_open,
                          &wmf_scan,         &wmf_play,           &wmf_display_size,
                          &wmf_stream_create, &wmf_stream_destroy, &wmf_svg_function};
#else
            Libwmf l;
#if defined(__SANITIZE_ADDRESS__)
            return l;  // the address sanitizer cannot load a library its own symbols first
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
            return l;
#endif
#endif
            void* h = dlopen("libwmf-0.2.so.7", RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
            if (!h) return l;
            const auto sym = [h](auto& f, const char* name) {
                f = reinterpret_cast<std::decay_t<decltype(f)>>(dlsym(h, name));
            };
            sym(l.api_create, "wmf_api_create");
            sym(l.api_destroy, "wmf_api_destroy");
            sym(l.mem_open, "wmf_mem_open");
            sym(l.scan, "wmf_scan");
            sym(l.play, "wmf_play");
            sym(l.display_size, "wmf_display_size");
            sym(l.stream_create, "wmf_stream_create");
            sym(l.stream_destroy, "wmf_stream_destroy");
            sym(l.svg_function, "wmf_svg_function");
            return l;
#endif
        }();
        const bool complete = lib.api_create && lib.api_destroy && lib.mem_open && lib.scan && lib.play &&
                              lib.display_size && lib.stream_create && lib.stream_destroy && lib.svg_function;
        return complete ? &lib : nullptr;
    }
};

std::optional<QByteArray> WmfToSvg(const QByteArray& bytes) {
    const Libwmf* wmf = Libwmf::get();
    if (!wmf) return std::nullopt;
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf->svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf->api_create(&api, flags, &options) != wmf_E_None) {
        if (api) wmf->api_destroy(api);
        return std::nullopt;
    }
    QByteArray copy = bytes;
    std::optional<QByteArray> svg;
    wmfD_Rect bbox{};
    // A file that draws nothing scans to an infinite extent, and the library's display size
    // would turn that (or an absurd one) into a meaningless integer.
    const auto sensible = [](const wmfD_Rect& r) {
        const float w = r.BR.x - r.TL.x, h = r.BR.y - r.TL.y;
        return std::isfinite(w) && std::isfinite(h) && std::abs(w) < 1e7f && std::abs(h) < 1e7f;
    };
    if (wmf->mem_open(api, reinterpret_cast<unsigned char*>(copy.data()), long(copy.size())) == wmf_E_None &&
        wmf->scan(api, 0, &bbox) == wmf_E_None && sensible(bbox)) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf->stream_create(api, nullptr);
        device->Description = const_cast<char*>("Natalory picture");
        device->bbox = bbox;
        unsigned int width = 0, height = 0;
        wmf->display_size(api, &width, &height, 96, 96);
        device->width = std::max(1u, width);
        device->height = std::max(1u, height);
        const bool played = wmf->play(api, 0, &bbox) == wmf_E_None;
        char* text = nullptr;
        unsigned long length = 0;
        wmf->stream_destroy(api, device->out, &text, &length);
        if (played && text && length > 0) svg = QByteArray(text, qsizetype(length));
        // The stream's memory belongs to the library's allocator and goes with the API.
    }
    wmf->api_destroy(api);
    return svg;
}

// The picture's own size in pixels of a 96-dpi screen, from the header's physical frame.
std::optional<QSizeF> NaturalSize(const QByteArray& b, MetafileKind kind) {
    if (kind == MetafileKind::Emf && b.size() >= 40) {
        // The frame is in hundredths of a millimetre.
        const auto at = [&](int offset) { return qFromLittleEndian<qint32>(b.constData() + offset); };
        const double w = double(at(32)) - at(24), h = double(at(36)) - at(28);
        if (w > 0 && h > 0) return QSizeF(w / 2540 * 96, h / 2540 * 96);
    }
    if (kind == MetafileKind::Wmf && b.size() >= 22 &&
        qFromLittleEndian<quint32>(b.constData()) == kPlaceableKey) {
        const auto at = [&](int offset) { return double(qFromLittleEndian<qint16>(b.constData() + offset)); };
        const double inch = qFromLittleEndian<quint16>(b.constData() + 14);
        const double w = at(10) - at(6), h = at(12) - at(8);
        if (inch > 0 && w > 0 && h > 0) return QSizeF(w / inch * 96, h / inch * 96);
    }
    return std::nullopt;
}

bool IsGzip(const QByteArray& bytes) {
    return bytes.startsWith("\x1f\x8b");
}

// The gzip stream inflated, or nothing when it is damaged or would grow past `most` bytes:
// the inflated size is counted as it grows, so a bomb costs no more memory than `most`.
std::optional<QByteArray> InflateAtMost(const QByteArray& gzip, qint64 most, bool* tooLarge) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.constData()));
    z.avail_in = uInt(gzip.size());
    QByteArray out;
    int status = Z_OK;
    while (status == Z_OK) {
        if (out.size() >= most) {
            *tooLarge = true;
            break;
        }
        const qsizetype had = out.size();
        const qsizetype chunk = std::min<qsizetype>(256 * 1024, most + 1 - had);
        out.resize(had + chunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + had);
        z.avail_out = uInt(chunk);
        status = inflate(&z, Z_NO_FLUSH);
        out.resize(had + chunk - qsizetype(z.avail_out));
        if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // the stream stops short
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END || out.size() > most) {
        if (out.size() > most) *tooLarge = true;
        return std::nullopt;
    }
    return out;
}

}  // namespace

MetafileKind DetectMetafile(const QByteArray& b) {
    if (b.size() >= 44 && qFromLittleEndian<quint32>(b.constData()) == kEmfHeaderType &&
        qFromLittleEndian<quint32>(b.constData() + 40) == kEmfSignature)
        return MetafileKind::Emf;
    if (b.size() >= 22 && qFromLittleEndian<quint32>(b.constData()) == kPlaceableKey)
        return MetafileKind::Wmf;
    // A bare WMF header: type 1 or 2, header size 9 words, version 0x0100 or 0x0300.
    if (b.size() >= 18) {
        const quint16 type = qFromLittleEndian<quint16>(b.constData());
        const quint16 words = qFromLittleEndian<quint16>(b.constData() + 2);
        const quint16 version = qFromLittleEndian<quint16>(b.constData() + 4);
        if ((type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300))
            return MetafileKind::Wmf;
    }
    return MetafileKind::None;
}

namespace {

// A metafile whose framing holds together, or nothing with the reason.
bool FramingHolds(const QByteArray& bytes, MetafileKind kind, QString* error) {
    const auto problem = kind == MetafileKind::Emf ? EmfFramingProblem(bytes)
                         : kind == MetafileKind::Wmf
                             ? WmfFramingProblem(bytes)
                             : std::optional<QString>(QStringLiteral("it is no metafile"));
    if (problem && error) *error = QStringLiteral("the metafile is damaged: ") + *problem;
    return !problem;
}

}  // namespace

std::optional<QByteArray> MetafileToSvg(const QByteArray& bytes, QString* error) {
    const MetafileKind kind = DetectMetafile(bytes);
    if (!FramingHolds(bytes, kind, error)) return std::nullopt;
    // An EMF may carry bytes after its end; the converter is given the metafile alone.
    return kind == MetafileKind::Emf
               ? EmfToSvg(bytes.left(qFromLittleEndian<quint32>(bytes.constData() + 48)))
               : WmfToSvg(bytes);
}

std::shared_ptr<const VectorPicture> VectorPicture::FromSvg(const QByteArray& data, QSizeF size,
                                                            QString* error) {
    const auto fail = [error](const char* why) -> std::shared_ptr<const VectorPicture> {
        if (error) *error = QString::fromLatin1(why);
        return nullptr;
    };
    constexpr auto kTooLarge = "the drawing is too large to use (more than 32 MB of SVG)";
    QByteArray svg = data;
    if (IsGzip(svg)) {
        // Qt's SVG reader would inflate it whole, however large it grows.
        bool tooLarge = false;
        std::optional<QByteArray> inflated = InflateAtMost(svg, kMostDrawingBytes, &tooLarge);
        if (!inflated) return fail(tooLarge ? kTooLarge : "the compressed drawing is damaged");
        // Compressed twice it would be inflated again, uncounted.
        if (IsGzip(*inflated)) return fail("the compressed drawing is damaged");
        svg = std::move(*inflated);
    }
    if (svg.size() > kMostDrawingBytes) return fail(kTooLarge);
    auto renderer = std::make_unique<QSvgRenderer>();
    if (!renderer->load(svg) || !renderer->isValid()) return fail("the drawing is damaged or has no size");
    if (size.isEmpty()) size = renderer->defaultSize();
    // Nothing on paper is smaller than a pixel or bigger than a few hundred inches.
    const double longest = std::max(size.width(), size.height());
    if (size.isEmpty() || longest < 1 || longest > 100000)
        return fail("the drawing is damaged or has no size");
    std::shared_ptr<VectorPicture> picture(new VectorPicture);
    picture->renderer_ = std::move(renderer);
    picture->size_ = size;
    return picture;
}

VectorPicture::~VectorPicture() = default;

void VectorPicture::draw(QPainter& painter, const QRectF& target) const {
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    renderer_->render(&painter, target);
    painter.restore();
}

QImage VectorPicture::toImage(QSize pixels) const {
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

void LoadMetafileLibraries() {
    Libwmf::get();
}

namespace {

struct ConversionSetting {
    MetafileConversion conversion = MetafileConversion::Confined;
    QString helper;
};

ConversionSetting& Conversion() {
    static ConversionSetting setting;
    return setting;
}

QString HelperPath() {
    if (!Conversion().helper.isEmpty()) return Conversion().helper;
    const QDir beside(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {beside.filePath(QStringLiteral("natalory-metafile")),
          beside.filePath(QStringLiteral("../libexec/natalory/natalory-metafile"))})
        if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
    return {};
}

// The converter's answer, read as it comes and never more than an SVG may hold.
std::optional<QByteArray> ConvertConfined(const QByteArray& bytes, QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        *error = why;
        return std::nullopt;
    };
    const QString helper = HelperPath();
    if (helper.isEmpty()) return fail(QStringLiteral("the metafile converter natalory-metafile is missing"));
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(helper, {});
    if (!child.waitForStarted(5000))
        return fail(QStringLiteral("the metafile converter could not be started"));
    child.write(bytes);
    child.closeWriteChannel();
    QByteArray svg;
    QElapsedTimer clock;
    clock.start();
    while (child.state() != QProcess::NotRunning) {
        child.waitForReadyRead(50);
        svg += child.readAllStandardOutput();
        if (svg.size() > kMostDrawingBytes || clock.elapsed() > kMetafileConversionMilliseconds) {
            child.kill();
            child.waitForFinished(5000);
            return fail(svg.size() > kMostDrawingBytes
                            ? QStringLiteral("the drawing is too large to use (more than 32 MB of SVG)")
                            : QStringLiteral("the metafile converter took too long on it"));
        }
    }
    svg += child.readAllStandardOutput();
    if (child.exitStatus() == QProcess::CrashExit)
        return fail(QStringLiteral("the metafile converter stopped on it (it is damaged or too large)"));
    if (child.exitCode() != 0 || svg.isEmpty() || svg.size() > kMostDrawingBytes)
        return fail(QStringLiteral("the metafile is damaged or of a kind that cannot be read"));
    return svg;
}

}  // namespace

void SetMetafileConversion(MetafileConversion conversion, const QString& helper) {
    Conversion() = ConversionSetting{conversion, helper};
}

std::shared_ptr<const VectorPicture> LoadMetafile(const QByteArray& bytes, QString* error) {
    QString why;
    std::optional<QByteArray> svg;
    if (Conversion().conversion == MetafileConversion::InProcess) svg = MetafileToSvg(bytes, &why);
    // The framing is walked here too, so that a damaged file is told where, without a process.
    else if (FramingHolds(bytes, DetectMetafile(bytes), &why))
        svg = ConvertConfined(bytes, &why);
    std::shared_ptr<const VectorPicture> picture;
    if (svg)
        picture = VectorPicture::FromSvg(*svg, NaturalSize(bytes, DetectMetafile(bytes)).value_or(QSizeF()));
    if (!picture && error)
        *error =
            !why.isEmpty() ? why : QStringLiteral("the metafile is damaged or of a kind that cannot be read");
    return picture;
}

}  // namespace natalory
