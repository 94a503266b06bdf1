Dim x As Long
