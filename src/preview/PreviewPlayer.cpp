#include "preview/PreviewPlayer.h"

#include "app/TMainForm.h"

PreviewPlayer::PreviewPlayer(TMainForm& form) : QObject(&form), m_form(form) {}

void PreviewPlayer::PreviewSelectedTask() {}
void PreviewPlayer::Play() {}
void PreviewPlayer::PauseResume() {}
void PreviewPlayer::Stop() {}
void PreviewPlayer::TrackBarTimer() {}
