#pragma once
// What the system's RIFF reader, the one PlaySound reads with, finds in a WAV
// file held in memory: the PCM format and where the samples lie.

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <span>

namespace brevaro::test {

struct SystemWaveReading {
    bool read = false;  // the RIFF form, the format and the data chunk were all found
    PCMWAVEFORMAT format{};
    DWORD dataOffset = 0;
    DWORD dataBytes = 0;
};

inline SystemWaveReading readWithSystem(std::span<const std::uint8_t> wav) {
    SystemWaveReading reading;
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<HPSTR>(const_cast<std::uint8_t*>(wav.data()));
    info.cchBuffer = static_cast<LONG>(wav.size());
    const HMMIO file = mmioOpenW(nullptr, &info, MMIO_READ);
    if (file == nullptr) return reading;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO format{};
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    reading.read = mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR &&
                   mmioDescend(file, &format, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR &&
                   mmioRead(file, reinterpret_cast<HPSTR>(&reading.format), sizeof reading.format) ==
                       static_cast<LONG>(sizeof reading.format) &&
                   mmioAscend(file, &format, 0) == MMSYSERR_NOERROR &&
                   mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR;
    reading.dataOffset = data.dwDataOffset;
    reading.dataBytes = data.cksize;
    mmioClose(file, 0);
    return reading;
}

}  // namespace brevaro::test
