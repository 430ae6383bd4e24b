while "a"
wend
