// Sound: a tune with playsong, single tones with sound, and a wave file that
// the program writes itself, byte by byte, then plays with playwav.
//
// Without a sound card the tones and the wave play silently, in real time.

print "A tune: the first bars of a folk song"
// S4 the fourth octave, T the milliseconds of a whole note; a number after a
// note is its length (4 a quarter, 8 an eighth), P a rest.
playsong "T1600S4C4C4G4G4A4A4G2F4F4E4E4D4D4C2"

print "Rising tones, 440 Hz and up by semitones"
f = 440
for k = 1 to 8
    sound round(f), 90
    f = f * 1.059463
next

// A wave file: a 44-byte header, then 8-bit samples at 8000 a second. Texts
// hold any bytes, so the file is built in a text and written in one go.
rate = 8000
total = rate / 2
samples = ""
for k = 0 to total - 1
    // A 660 Hz tone that fades out: 128 is silence, 0 and 255 the extremes.
    level = 100.0 * (total - k) / total
    samples = samples + strofbytes(128 + level * sin(6.283185 * 660 * k / rate))
next
wave = "RIFF"
buffprintb wave, 36 + total
wave = wave + "WAVEfmt "
buffprintb wave, 16
// PCM, one channel, the sample rate, bytes per second, bytes per sample and
// bits per sample: the two-byte fields are built with strofbytes.
wave = wave + strofbytes(1, 0, 1, 0)
buffprintb wave, rate, rate
wave = wave + strofbytes(1, 0, 8, 0) + "data"
buffprintb wave, total
wave = wave + samples
h = filecreate("fade.wav")
fileprintb h, wave
x = fileclose(h)
print "fade.wav written: ", length(wave), " bytes; playing it"
// 0: wait until the sound has played.
playwav "fade.wav", 0
print "done"
