#pragma once
// The notice of a font that cannot be made ("Font could not be created!"):
// a label that paints with its own font reports the failure once, from the
// event loop (a box never opens inside a paint), and again only after a
// font could be made in between.
class QObject;

class CFontFailureNotice {
public:
    // context: the label; the queued notice goes with it when it is
    // destroyed first.
    explicit CFontFailureNotice(QObject* context) : m_pContext(context) {}

    // The font could not be made: queues the notice unless it is out already.
    void Failed();
    // A font was made: the next failure is reported again.
    void Succeeded() { m_bReported = false; }

private:
    QObject* m_pContext;
    bool m_bReported = false;
};
