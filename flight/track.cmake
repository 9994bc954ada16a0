# Track recording into track.tvd (plain logic over a Connection).
target_sources(tvflight PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TrackRecorder.cpp
)
