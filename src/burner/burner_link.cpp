#include "burner/burner_link.h"

#include <algorithm>

bool Could_Begin_Status_Frame(const QByteArray& text)
{
    const int end = std::min<int>(static_cast<int>(text.size()), 8);
    for (int i = 4; i < end; ++i)
        if (text[i] != Burner_Signature[i - 4]) return false;
    return true;
}

void Burner_Link::commandStarts()
{
    readBackPending_ = false;
    downloadDoc_.clear();
    owedPolls_ = 0;
    partial_.clear();
}

void Burner_Link::downloadSent(QObject* doc)
{
    readBackPending_ = true;
    downloadDoc_ = doc;
}

QObject* Burner_Link::readBackDocument(QObject* active)
{
    QObject* doc = readBackPending_ ? downloadDoc_.data() : active;
    readBackPending_ = false;
    downloadDoc_.clear();
    return doc;
}

void Burner_Link::statusRequested(QObject* active) { statusFor_ = owner_ ? owner_.data() : active; }

void Burner_Link::statusUnanswered() { owedPolls_ = Owed_Status_Polls; }

std::optional<Burner_Status_Frame> Burner_Link::pollInput(const QByteArray& input)
{
    const bool owed = owedPolls_ > 0;
    if (owed) --owedPolls_;
    // A frame whose rest has not come in time is cut for good.
    if (!partial_.isEmpty() && ++partialPolls_ > Partial_Frame_Polls) partial_.clear();
    if (input.isEmpty()) return std::nullopt;
    if (partial_.isEmpty()) {
        partialPolls_ = 0;
        partialIsStatus_ = owed;
    }
    partial_ += input;
    if (!Could_Begin_Status_Frame(partial_)) {
        partial_.clear();
        return std::nullopt;
    }
    if (partial_.size() < Burner_Status_Frame_Length) return std::nullopt;
    const QByteArray whole = partial_.left(Burner_Status_Frame_Length);
    partial_.clear();
    if (partialIsStatus_) {
        // The late status reply, whole at last: it reports no burn.
        owedPolls_ = 0;
        return std::nullopt;
    }
    return Parse_Burner_Status_Frame(whole);
}
