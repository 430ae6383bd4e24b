wend
