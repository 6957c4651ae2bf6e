; The setup's own words, in the two languages it speaks. MUI supplies the rest.

LangString SectionProgram ${LANG_ENGLISH} "Murvane"
LangString SectionProgram ${LANG_ITALIAN} "Murvane"
LangString SectionStartAtLogOn ${LANG_ENGLISH} "Start Murvane when I sign in"
LangString SectionStartAtLogOn ${LANG_ITALIAN} "Avvia Murvane all'accesso a Windows"
LangString SectionRemoveSettings ${LANG_ENGLISH} "Remove my settings"
LangString SectionRemoveSettings ${LANG_ITALIAN} "Rimuovi le mie impostazioni"

LangString FolderNotWritable ${LANG_ENGLISH} "Setup cannot write to the folder$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nChoose another folder. Nothing has been installed."
LangString FolderNotWritable ${LANG_ITALIAN} "Impossibile scrivere nella cartella$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nScegliere un'altra cartella. Non è stato installato nulla."
LangString ProgramInUse ${LANG_ENGLISH} "Murvane is running and did not close when asked.$\r$\n$\r$\nChoose Esci from its tray menu, then try again."
LangString ProgramInUse ${LANG_ITALIAN} "Murvane è in esecuzione e non si è chiuso.$\r$\n$\r$\nScegliere Esci dal menu della sua icona, poi riprovare."
LangString FilesNotReplaced ${LANG_ENGLISH} "Setup could not replace the files in$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nThe installed Murvane has been left as it was."
LangString FilesNotReplaced ${LANG_ITALIAN} "Impossibile sostituire i file in$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nMurvane è rimasto com'era."
