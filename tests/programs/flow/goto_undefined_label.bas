skip = 1
goto skip
