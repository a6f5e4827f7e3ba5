#include "Host/AudioHost/EventListRender.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/EventListReader.hpp"
#include "Host/AudioHost/EventPairing.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/OutputFile.hpp"
#include "Host/AudioHost/ParameterSetup.hpp"
#include "Host/AudioHost/RenderUnits.hpp"
#include "Host/AudioHost/SentEventQueue.hpp"

namespace AudioHost {

namespace {

class ListStream : public RenderStream {
public:
    ListStream(EventListReader& reader, AudioToolbox::AUAudioUnit& unit, const RenderOptions& options, std::FILE* output,
               RenderStatistics& statistics)
        : reader_(reader), tree_(unit.parameterTree()), options_(options), output_(output), statistics_(statistics) {}

    bool next(HostEvent& event) override {
        if (!reader_.next(event)) return false;
        if (event.kind == HostEvent::Kind::parameter) checkParameter(event);
        RenderJob::checkLength(options_, event.sampleTime);
        pairing_.addInput(event);
        statistics_.countInput();
        return true;
    }

    void sent(const HostEvent& event) override {
        statistics_.countOutput();
        if (const auto in = pairing_.pair(event); in && in->noteOn)
            statistics_.countNote(double(event.sampleTime - in->sampleTime) * 1000.0 / options_.sampleRate,
                                  event.sampleTime != in->sampleTime);
        sent_.push(event.sampleTime, event);
    }

    // Nothing the unit sends from now on is stamped before `sample`.
    void renderedUntil(AudioToolbox::AUEventSampleTime sample) override { writeBefore(sample); }

    void finish() { writeBefore(std::numeric_limits<AudioToolbox::AUEventSampleTime>::max()); }

private:
    void writeBefore(AudioToolbox::AUEventSampleTime sample) {
        line_.clear();
        for (; !sent_.empty() && sent_.front().time < sample; sent_.pop()) {
            const SentEventQueue::Entry& e = sent_.front();
            EventList::appendLine(HostEvent::midi(e.time, e.bytes[0], e.bytes[1], e.bytes[2], e.length), line_);
        }
        if (!line_.empty() && std::fwrite(line_.data(), 1, line_.size(), output_) != line_.size())
            throw BadInput("cannot write " + options_.output + ": " + std::strerror(errno));
    }

    void checkParameter(const HostEvent& e) const {
        const auto parameter = tree_ ? tree_->parameter(e.address) : nullptr;
        if (!parameter) {
            std::string valid;
            if (tree_)
                for (const auto& p : tree_->allParameters()) valid += (valid.empty() ? "" : ", ") + std::to_string(p->address());
            reader_.fail("the unit has no parameter at address " + std::to_string(e.address) + "; its addresses are " +
                         (valid.empty() ? "none" : valid));
        }
        try {
            ParameterSetup::checkValue(*parameter, e.value, "param " + std::to_string(e.address) + " " + floatText(e.value));
        } catch (const BadInput& error) {
            reader_.fail(error.what());
        }
    }

    EventListReader& reader_;
    std::shared_ptr<AudioToolbox::AUParameterTree> tree_;
    const RenderOptions& options_;
    std::FILE* output_;
    RenderStatistics& statistics_;
    EventPairing pairing_;
    SentEventQueue sent_;
    std::string line_;
};

}  // namespace

RenderResult EventListRender::run(UnitSource& source, const RenderOptions& o) {
    EventListReader reader(o.input);
    RenderUnits units(source, o);
    HostedUnit hosted = units.make();
    const Timeline timeline = RenderJob::timeline(o, {{0, 120}}, {{0, 4, 4}});

    RenderResult result;
    result.unitsRun = 1;
    OutputFile::write(o.output, [&](const std::string& temporary) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        if (!file) throw BadInput("cannot write " + o.output + ": " + std::strerror(errno));
        std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
        try {
            ListStream stream(reader, hosted.unit(), o, file, result.statistics);
            OfflineRenderer(timeline, o.blockFrames).render(hosted.unit(), stream);
            stream.finish();
        } catch (...) {
            std::fclose(file);
            throw;
        }
        const bool flushed = std::fflush(file) == 0;
        const int error = errno;
        if (std::fclose(file) != 0 || !flushed) throw BadInput("cannot write " + o.output + ": " + std::strerror(flushed ? errno : error));
    });
    return result;
}

}  // namespace AudioHost
